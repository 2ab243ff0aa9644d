// vantorviewer [file ...]: the multi-document text viewer and editor.
#include "viewer/app/viewer_shell.h"

int main(int argc, char** argv) {
    return mvf::viewer::RunViewer(argc, argv);
}

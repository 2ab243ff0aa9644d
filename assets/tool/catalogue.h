// Every file the build makes, in its two bundles: the resource library mvfinder.rcc
// (names at its root, read by the finder and the viewer at run time) and the icons
// compiled into the programs.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace mvf::assets::art {

struct Item {
    QString name; // the name inside the resources
    QByteArray bytes;
};

struct Bundle {
    QString name;   // the folder and .qrc file it is written to
    QString prefix; // the resource prefix its names live under
    std::vector<Item> items;
};

Bundle resourceLibrary();
Bundle compiledIcons();

// Writes the bundle's files into `folder`/name/ and the list rcc reads as `folder`/name.qrc.
void writeBundle(const Bundle& bundle, const QString& folder);

QByteArray pngBytes(const QImage& image);

} // namespace mvf::assets::art

#include "viewer/app/scripted_viewer_dialogs.h"

#include <utility>

#include <QDialog>
#include <QPrinter>

namespace mvf::viewer {
namespace {

const char* KindName(ScriptedViewerDialogs::Kind kind) {
    switch (kind) {
    case ScriptedViewerDialogs::Kind::Open: return "open";
    case ScriptedViewerDialogs::Kind::Save: return "save";
    case ScriptedViewerDialogs::Kind::Input: return "input";
    case ScriptedViewerDialogs::Kind::Font: return "font";
    case ScriptedViewerDialogs::Kind::Print: return "print";
    case ScriptedViewerDialogs::Kind::PrinterSetup: return "printer setup";
    case ScriptedViewerDialogs::Kind::About: return "about";
    }
    return "?";
}

} // namespace

void ScriptedViewerDialogs::AnswerOpen(QStringList names) {
    open_.push_back(std::move(names));
}
void ScriptedViewerDialogs::AnswerSave(std::optional<QString> name) {
    save_.push_back(std::move(name));
}
void ScriptedViewerDialogs::AnswerInput(std::optional<QString> text) {
    input_.push_back(std::move(text));
}
void ScriptedViewerDialogs::AnswerFont(std::optional<QFont> font) {
    font_.push_back(std::move(font));
}
void ScriptedViewerDialogs::AnswerPrint(std::optional<PrintChoice> choice, const QString& pdfFile) {
    print_.push_back({choice, pdfFile});
}

template <typename T>
T ScriptedViewerDialogs::Next(std::deque<T>& queue, Request request, T cancelled) {
    request.answered = !queue.empty();
    requests_.push_back(std::move(request));
    if (!queue.empty()) {
        std::swap(cancelled, queue.front());
        queue.pop_front();
    }
    return cancelled;
}

QStringList ScriptedViewerDialogs::OpenFileNames(QWidget*, const QString& filters) {
    return Next(open_, {Kind::Open, {}, {}, filters, {}}, QStringList{});
}

std::optional<QString> ScriptedViewerDialogs::SaveFileName(QWidget*, const QString& title,
                                                           const QString& filters,
                                                           const std::optional<QString>& initial) {
    return Next(save_, {Kind::Save, title, {}, filters, initial}, std::optional<QString>{});
}

std::optional<QString> ScriptedViewerDialogs::InputText(QWidget*, const QString& caption,
                                                        const QString& prompt,
                                                        const QString& initial) {
    return Next(input_, {Kind::Input, caption, prompt, {}, initial}, std::optional<QString>{});
}

std::optional<QFont> ScriptedViewerDialogs::ChooseFont(QWidget*, const QFont& initial) {
    return Next(font_, {Kind::Font, {}, {}, {}, initial.toString()}, std::optional<QFont>{});
}

std::optional<PrintChoice> ScriptedViewerDialogs::ChoosePrint(QWidget*, QPrinter& printer,
                                                              bool selectionAllowed) {
    Request request{Kind::Print, {}, {}, {}, {}};
    request.selectionAllowed = selectionAllowed;
    const PrintAnswer answer = Next(print_, request, PrintAnswer{});
    if (answer.choice) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(answer.pdfFile);
    }
    return answer.choice;
}

void ScriptedViewerDialogs::PrinterSetup(QWidget*, QPrinter&) {
    requests_.push_back({Kind::PrinterSetup, {}, {}, {}, {}, false, true});
}

void ScriptedViewerDialogs::ShowAbout(QDialog& about) {
    requests_.push_back({Kind::About, about.windowTitle(), {}, {}, {}, false, true});
}

bool ScriptedViewerDialogs::AllAsExpected() const {
    for (const Request& request : requests_)
        if (!request.answered) return false;
    return open_.empty() && save_.empty() && input_.empty() && font_.empty() && print_.empty();
}

std::string ScriptedViewerDialogs::Describe() const {
    std::string out;
    for (const Request& r : requests_) {
        out += KindName(r.kind);
        out += " | " + r.title.toStdString() + " | " + r.prompt.toStdString();
        out += r.answered ? " | answered\n" : " | not scripted\n";
    }
    return out;
}

} // namespace mvf::viewer

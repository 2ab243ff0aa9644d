// The dialogs of tests: each question is recorded and answered from a queue of its kind.
//
//   ScriptedViewerDialogs dialogs;
//   dialogs.AnswerSave(folder.Path("out.txt"));  // the next save dialog chooses this name
//   form.Save1Click();
//   EXPECT_EQ(dialogs.Requests()[0].title, "Save NONAME1 As");
//   EXPECT_TRUE(dialogs.AllAsExpected());
//
// A question with no answer queued is cancelled and flagged; so is an answer left over.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "viewer/app/viewer_dialogs.h"

namespace mvf::viewer {

class ScriptedViewerDialogs : public ViewerDialogs {
public:
    enum class Kind { Open, Save, Input, Font, Print, PrinterSetup, About };

    struct Request {
        Kind kind;
        QString title; // the dialog's title or caption
        QString prompt;
        QString filters;
        std::optional<QString> initial; // the starting name or text
        bool selectionAllowed = false;
        bool answered = false; // false: nothing was queued, the question was cancelled
    };

    void AnswerOpen(QStringList names);
    void AnswerSave(std::optional<QString> name);
    void AnswerInput(std::optional<QString> text);
    void AnswerFont(std::optional<QFont> font);
    // OK prints to the PDF file `pdfFile`, all or the selection; none cancels.
    void AnswerPrint(std::optional<PrintChoice> choice, const QString& pdfFile = {});

    QStringList OpenFileNames(QWidget* parent, const QString& filters) override;
    std::optional<QString> SaveFileName(QWidget* parent, const QString& title,
                                        const QString& filters,
                                        const std::optional<QString>& initial) override;
    std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<PrintChoice> ChoosePrint(QWidget* parent, QPrinter& printer,
                                           bool selectionAllowed) override;
    void PrinterSetup(QWidget* parent, QPrinter& printer) override;
    void ShowAbout(QDialog& about) override;

    const std::vector<Request>& Requests() const { return requests_; }
    // Every question had an answer and no answer is left over.
    bool AllAsExpected() const;
    // One line per question, for failure messages.
    std::string Describe() const;

private:
    struct PrintAnswer {
        std::optional<PrintChoice> choice;
        QString pdfFile;
    };
    template <typename T> T Next(std::deque<T>& queue, Request request, T cancelled);

    std::deque<QStringList> open_;
    std::deque<std::optional<QString>> save_;
    std::deque<std::optional<QString>> input_;
    std::deque<std::optional<QFont>> font_;
    std::deque<PrintAnswer> print_;
    std::vector<Request> requests_;
};

} // namespace mvf::viewer

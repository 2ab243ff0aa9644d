// The search dialog in tests: its services scripted (notifier, prompts, starter), its
// controls found by their names, and the current directory kept (the checks move it).
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include "finder/dialog/prompts.h"
#include "finder/dialog/search_starter.h"
#include "finder/dialog/vantor_finder.h"
#include "platform/core/current_directory.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/scripted_notifier.h"
#include "testsupport/qt_print.h"
#include "testsupport/temp_folder.h"

namespace mvf::dialog::testing {

using mvf::testing::TempFolder;

// Answers the calendar and the font dialog from queues, and records that they were asked.
class ScriptedPrompts : public Prompts {
public:
    std::optional<QDate> PickDate(const QDate& shown, QWidget*) override {
        datesShown.push_back(shown);
        if (dates.empty()) return std::nullopt;
        const std::optional<QDate> answer = dates.front();
        dates.pop_front();
        return answer;
    }
    std::optional<QString> PickFontFamily(const QFont& current, QWidget*) override {
        fontsShown.push_back(current);
        if (families.empty()) return std::nullopt;
        const std::optional<QString> answer = families.front();
        families.pop_front();
        return answer;
    }
    std::deque<std::optional<QDate>> dates;
    std::deque<std::optional<QString>> families;
    std::vector<QDate> datesShown;
    std::vector<QFont> fontsShown;
};

// Records each search the dialog hands over; `then` (if set) runs with it.
class RecordingStarter : public SearchStarter {
public:
    void StartSearch(search::SearchCriteria criteria) override {
        started.push_back(criteria);
        if (then) then(std::move(criteria));
    }
    std::vector<search::SearchCriteria> started;
    std::function<void(search::SearchCriteria)> then;
};

class KeepCurrentDirectory {
public:
    KeepCurrentDirectory() : saved_(platform::CurrentDirectory()) {}
    ~KeepCurrentDirectory() { platform::SetCurrentDirectory(saved_); }

private:
    std::string saved_;
};

// Runs `action` on the modal window the next exec() opens, once it is up.
inline void WhenModalOpens(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

class DialogTest : public ::testing::Test {
protected:
    DialogTest() { MakeDialog(); }

    void MakeDialog() {
        dialog_ = std::make_unique<TVantorFinder>(TVantorFinder::Services{
            .settings = settings_,
            .notifier = notifier_,
            .help = &help_,
            .starter = &starter_,
            .prompts = &prompts_,
            .flags = &flags_,
        });
    }

    // Shows the dialog (its first showing fills it) and lets it settle.
    void Show() {
        dialog_->show();
        QApplication::processEvents();
    }

    template <typename T = QWidget> T* Find(const char* name) const {
        T* widget = dialog_->findChild<T*>(name);
        EXPECT_NE(nullptr, widget) << name;
        return widget;
    }
    QComboBox* Box(const char* name) const { return Find<QComboBox>(name); }
    void Type(const char* box, const std::string& text) {
        Box(box)->setEditText(QString::fromStdString(text));
    }
    void Click(const char* button) { Find<QAbstractButton>(button)->click(); }
    int Page() const { return Find<QTabWidget>("OvcNotebook1")->currentIndex(); }
    // Whether the dialog's focus is on the control (an editable box's edit counts).
    bool Focused(const char* name) const {
        QWidget* focus = dialog_->focusWidget();
        QWidget* control = Find(name);
        return focus && (focus == control || control->isAncestorOf(focus));
    }

    // Entries that pass every check: a real folder, a mask, no expression.
    void EnterSoundSearch() {
        Type("Directory", tree_.Root());
        Type("Filemask", "*.txt");
        Type("FindBox", "");
    }

    KeepCurrentDirectory keep_;
    TempFolder tree_;
    settings::FinderSettings settings_;
    platform::ScriptedNotifier notifier_;
    platform::HelpViewer help_{{MVF_PROGRAM_FOLDER}};
    ScriptedPrompts prompts_;
    RecordingStarter starter_;
    search::SearchFlags flags_;
    std::unique_ptr<TVantorFinder> dialog_;
};

} // namespace mvf::dialog::testing

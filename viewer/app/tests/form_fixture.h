// The main window shown offscreen with a scripted notifier and scripted dialogs, a scratch
// folder, and keys typed into its editors.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QToolButton>

#include "platform/qt/scripted_notifier.h"
#include "testsupport/qt_print.h"
#include "testsupport/temp_folder.h"
#include "viewer/app/main_form.h"
#include "viewer/app/mdi_child.h"
#include "viewer/app/scripted_viewer_dialogs.h"

namespace mvf::viewer::testing {

inline void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = {}) {
    QTest::sendKeyEvent(QTest::Press, target, static_cast<Qt::Key>(key), text, modifiers);
    QTest::sendKeyEvent(QTest::Release, target, static_cast<Qt::Key>(key), text, modifiers);
}

// Characters typed one key each, as a keyboard sends them.
inline void Type(QWidget* target, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (c == '\n') {
            Key(target, Qt::Key_Return, Qt::NoModifier, "\r");
            continue;
        }
        const int key = c < 128 ? static_cast<int>(QChar::toUpper(c)) : Qt::Key_unknown;
        Key(target, key, QChar::isUpper(c) ? Qt::ShiftModifier : Qt::NoModifier, one);
    }
}

struct FormFixture : ::testing::Test {
    platform::ScriptedNotifier boxes;
    ScriptedViewerDialogs dialogs;
    mvf::testing::TempFolder folder;
    std::unique_ptr<TMainForm> form;

    void SetUp() override {
        form = std::make_unique<TMainForm>(boxes, dialogs);
        form->resize(900, 700);
        form->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        // Anything still open goes without the save question.
        form.reset();
        QApplication::processEvents();
    }

    TMDIChild* Active() const { return form->ActiveChild(); }
    bool Enabled(const char* name) const { return form->Action(name)->isEnabled(); }
    bool ButtonEnabled(const char* name) const {
        return form->findChild<QToolButton*>(name)->isEnabled();
    }
    QString Panel(int n) const { return form->StatusPanel(n - 1)->text(); }
    std::string Text(TMDIChild& child) const {
        editor::TParaList& list = child.Editor1().Editor().Paragraphs();
        std::string text;
        for (int32_t p = 1; p <= list.ParaCount(); ++p) {
            if (p > 1) text += '\n';
            text += list.ParaText(p);
        }
        return text;
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (TMDIChild* child : form->Children()) captions.push_back(child->Caption());
        return captions;
    }
    // Closes a document window as its close box does, and lets it go.
    void CloseWindow(TMDIChild& child) {
        child.parentWidget()->close();
        QApplication::processEvents();
    }
    void TypeInto(EditorWidget& editor, const QString& text) {
        Type(&editor, text);
        QApplication::processEvents();
    }
};

} // namespace mvf::viewer::testing

// A results view on screen (offscreen), over its own list and a scripted notifier.
#pragma once

#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

#include "finder/view/results_model.h"
#include "finder/view/results_view.h"
#include "finder/view/vf_list.h"
#include "platform/qt/scripted_notifier.h"
#include "view_test_support.h"

namespace mvf::testing {

class ViewFixture : public ::testing::Test {
protected:
    void Show() {
        view_.resize(640, 300);
        view_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
        view_.activateWindow();
        view_.List().setFocus();
    }
    view::VFList& List() { return view_.List(); }
    // A left click on the middle of a column's header.
    void ClickHeader(int column) {
        QHeaderView* header = List().header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    void DoubleClickHeader(int column) {
        QHeaderView* header = List().header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, at);
    }
    // The middle of a row of the list.
    QPoint RowPoint(int row) { return List().visualRect(view_.Model().index(row, 1)).center(); }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, modifiers, RowPoint(row));
    }
    // A double-click as the mouse makes it: press, release, double-click, release.
    void DoubleClickAt(QPoint at) {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(List().viewport(), Qt::LeftButton, {}, at);
    }

    results::ResultsList list_;
    platform::ScriptedNotifier notifier_;
    view::ResultsView view_{list_, notifier_};
};

} // namespace mvf::testing

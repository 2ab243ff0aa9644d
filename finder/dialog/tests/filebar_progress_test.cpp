// The toolbar docking menu and the progress window.
#include <QMainWindow>
#include <QProgressBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include "finder/dialog/pm_filebar.h"
#include "finder/dialog/vf_progress.h"

namespace mvf::dialog {
namespace {

TEST(PMFilebar, ItsItemsDockTheToolbarItWasOpenedOn) {
    QMainWindow window;
    auto* toolbar = new QToolBar("VFTBSmall", &window);
    window.addToolBar(Qt::TopToolBarArea, toolbar);
    auto* other = new QToolBar("other", &window);
    window.addToolBar(Qt::TopToolBarArea, other);
    window.show();
    PMFilebar menu;
    std::vector<std::pair<QToolBar*, Qt::ToolBarArea>> docked;
    QObject::connect(&menu, &PMFilebar::Docked,
                     [&](QToolBar* t, Qt::ToolBarArea a) { docked.emplace_back(t, a); });
    const QStringList items = {"Top", "Bottom", "Left", "Right"};
    QStringList shown;
    for (QAction* action : menu.actions()) shown << action->text();
    EXPECT_EQ(items, shown);

    menu.PopupFor(toolbar, window.geometry().center());
    menu.Left()->trigger();
    EXPECT_EQ(Qt::LeftToolBarArea, window.toolBarArea(toolbar));
    EXPECT_EQ(Qt::TopToolBarArea, window.toolBarArea(other));
    menu.Bottom()->trigger();
    EXPECT_EQ(Qt::BottomToolBarArea, window.toolBarArea(toolbar));
    menu.Right()->trigger();
    EXPECT_EQ(Qt::RightToolBarArea, window.toolBarArea(toolbar));
    menu.Top()->trigger();
    EXPECT_EQ(Qt::TopToolBarArea, window.toolBarArea(toolbar));
    ASSERT_EQ(4u, docked.size());
    EXPECT_EQ(toolbar, docked[0].first);
    EXPECT_EQ(Qt::LeftToolBarArea, docked[0].second);

    EXPECT_EQ(0, PMFilebar::DockPosition(Qt::TopToolBarArea));
    EXPECT_EQ(2, PMFilebar::DockPosition(Qt::BottomToolBarArea));
    EXPECT_EQ(1, PMFilebar::DockPosition(Qt::LeftToolBarArea));
    EXPECT_EQ(3, PMFilebar::DockPosition(Qt::RightToolBarArea));

    // A toolbar outside a main window cannot be docked.
    QToolBar loose;
    EXPECT_FALSE(PMFilebar::Dock(&loose, Qt::LeftToolBarArea));
}

TEST(VFProgress, ShowsCentredOnItsOwnerWhichTakesNoInputMeanwhile) {
    QWidget owner;
    owner.setGeometry(100, 100, 431, 388);
    owner.show();
    VFProgress progress(&owner);
    EXPECT_EQ("Progress", progress.windowTitle());
    EXPECT_EQ(VFProgress::kWidth, progress.width());
    EXPECT_EQ(1, progress.findChildren<QProgressBar*>().size());

    progress.Begin(400);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(progress.isEnabled());
    // Within the few pixels a window frame may add.
    EXPECT_LE(
        (progress.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 10);
    progress.SetPosition(150);
    EXPECT_EQ(150, progress.Bar()->value());
    progress.SetPosition(900);
    EXPECT_EQ(400, progress.Bar()->value());
    progress.End();
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(owner.isEnabled());
    progress.End(); // twice is harmless
    EXPECT_TRUE(owner.isEnabled());
}

} // namespace
} // namespace mvf::dialog

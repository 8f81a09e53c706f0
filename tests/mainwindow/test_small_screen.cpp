// The workbench on a laptop: a 1280x720 screen whose panel leaves 1280x680 to the windows (the
// window manager's margin stands in for the panel).
#include "LsfBytes.h"
#include "RealWindow.h"
#include "ReferenceDock.h"

#include <QLabel>
#include <QRect>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

TEST(SmallScreen, AReferenceFitsTheWindowWithTwelveRowsAndTheSuggestionsOnTheScreen)
{
    RealWindow real;
    const TempFiles& files = real.files;
    QL_Core& window = real.window;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(300); // the window settles at its designed size
    const QSize designed = window.size();
    const QByteArray rows = lsfFile(1, {packed({"Form"}), packed(QList<QByteArray>(30, "A row"))});
    window.openPath(files.write("nl.lsf", rows));
    ASSERT_TRUE(window.openReference(files.write("en.lsf", rows)));
    window.selectForm(1);
    for (int i = 1; i <= 3; ++i) { // as the memory's three suggestions show
        window.referenceDock()->suggestionLabel(i)->setText("Ctrl+1: 100% A row");
        window.referenceDock()->suggestionLabel(i)->show();
    }
    QTest::qWait(300);

    const QRect work = window.screen()->availableGeometry();
    ASSERT_EQ(work, QRect(0, 0, 1280, 680));
    EXPECT_EQ(work.intersected(window.frameGeometry()), window.frameGeometry());
    const QTableView* table = window.referenceDock()->table();
    EXPECT_LE(table->rowViewportPosition(11) + table->rowHeight(11), table->viewport()->height());
    // Nothing of the workbench is cut off at the window's right edge.
    const QWidget* workbench = window.referenceDock()->widget();
    EXPECT_LE(workbench->minimumSizeHint().width(), workbench->width());
    EXPECT_LE(workbench->mapTo(&window, QPoint(workbench->width(), 0)).x(), window.width());
    const QLabel* progress = window.referenceDock()->progressLabel();
    EXPECT_GE(progress->width(), progress->sizeHint().width()) << "the progress shows whole";
    const QWidget* lowest[] = {window.statusBar(), window.referenceDock()->suggestionLabel(3)};
    for (const QWidget* w : lowest)
        EXPECT_TRUE(work.contains(QRect(w->mapToGlobal(QPoint()), w->size())))
            << w->objectName().toStdString();

    window.resize(1100, 600); // remembered for the next reference; the designed window meanwhile
    window.closeReference();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.size() == designed; }));
    ASSERT_TRUE(window.openReference(files.path("en.lsf")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(1100, 600); }));
}

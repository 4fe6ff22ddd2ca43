// 棋譜 → 解析 over the real game: the graph of the record on the board, and a click on it steps
// the board through the record as 棋譜's stepping does.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "box_closer.h"
#include "game/game.h"
#include "game/record_replay.h"
#include "ui/analysis_graph.h"
#include "ui/analysis_window.h"
#include "ui/game_link.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

namespace quorvel {
namespace {

TEST(AnalysisWindowTest, AClickOnTheGraphStepsTheBoardToThatMove) {
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    {
        MainWindow window;
        QtPlatform platform(window);
        Game game(platform);
        GameLink link(game);
        window.setEvents(&link);
        BoxCloser closer;
        game.onLoad();
        game.onStart();
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Right})
            QTest::keyClick(&window, key);
        ASSERT_EQ(game.history().record.moves.size(), 3u);

        window.showAnalysis();
        AnalysisWindow* analysis = window.analysisWindow();
        ASSERT_NE(analysis, nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(analysis->finished(), 60000);
        EXPECT_EQ(analysis->judged(), 4u);

        const auto positions =
            std::get<std::vector<GamePosition>>(replayRecord(game.history().record));
        AnalysisGraph& graph = analysis->graph();
        const std::size_t boxes = closer.seen.size();
        for (const std::size_t target : {1, 0, 2, 3}) {
            SCOPED_TRACE(target);
            const GraphLayout layout = graph.layout();
            const QPoint at(qRound(layout.xOf(target)), qRound(layout.plot.center().y()));
            QTest::mouseClick(&graph, Qt::LeftButton, {}, at);
            EXPECT_EQ(game.history().shown.value_or(3), target);
            EXPECT_EQ(game.state().board, positions[target].board);
        }
        // Back on the game itself: nothing is shown from the record and no box was needed.
        EXPECT_FALSE(game.history().shown);
        EXPECT_EQ(closer.seen.size(), boxes);
        window.setEvents(nullptr);
    }
    QDir::setCurrent(previous);
}

}
}

#include "library/chart_mark.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

library::ChartMark markOf(const std::string& text) {
    std::istringstream in(text);
    return library::readChartMark(in);
}

TEST(ChartMark, TheToolsMarkSaysTheVersionAndDensity) {
    // As cueflight-chart writes it.
    const library::ChartMark mark =
        markOf("# cueflight-chart made this folder and may replace it with a new chart.\n"
               "chart_version=1\ndensity=hard\ntempo_bpm=135.5\npreview_ms=190589\n"
               "song_file=My Song=1.flac\n");
    EXPECT_EQ(mark.chartVersion, 1);
    EXPECT_EQ(mark.density, "hard");
    EXPECT_EQ(mark.tempoBpm, 135.5);
    EXPECT_EQ(mark.previewMs, 190589.0);
    EXPECT_EQ(mark.songFile, "My Song=1.flac");
    EXPECT_EQ(markOf("density=easy\r\nchart_version=12\r\n").density, "easy");
    EXPECT_EQ(markOf("density=easy\r\nchart_version=12\r\n").chartVersion, 12);
}

TEST(ChartMark, WithoutAMarkOrWithNonsenseItIsTheShippedSong) {
    testsupport::ScratchDir scratch;
    const library::ChartMark shipped = library::readChartMark(scratch.path());
    EXPECT_EQ(shipped.chartVersion, 0);
    EXPECT_EQ(shipped.density, "normal");
    const library::ChartMark odd = markOf("density=insane\nchart_version=2x\nchart_version=-1\n"
                                          "tempo_bpm=fast\npreview_ms=-3\npreview_ms=nan\n");
    EXPECT_EQ(odd.density, "normal");
    EXPECT_EQ(odd.chartVersion, 0);
    EXPECT_EQ(odd.tempoBpm, 0.0);
    EXPECT_LT(odd.previewMs, 0.0);
    scratch.write("chart.cfg", "chart_version=3\ndensity=easy\n");
    EXPECT_EQ(library::readChartMark(scratch.path()).density, "easy");
}

} // namespace

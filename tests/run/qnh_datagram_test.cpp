// QNH datagrams: which values are accepted, converted and published, and
// the log line of each one that is not.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "run/qnh_reader.h"
#include "run/run_state.h"
#include "run/support/feed_fixture.h"
#include "run/traffic_reader.h"
#include "support/whole_match.h"
#include "ui/status/main_window.h"

namespace {

class QnhDatagram : public test::FeedTest {
protected:
    QnhDatagram() { qnhReader.lastQnh = kStandardQnhHpa; }
};

struct QnhCase {
    const char* datagram;
    int published;        // 0: nothing published
    std::string logLine;  // empty: nothing logged
};

TEST_F(QnhDatagram, ValuesAreReadConvertedAndCheckedForRange) {
    const QnhCase cases[] = {
        {R"({"QNH":1013})", 1013, ""},
        {R"({"QNH":1013.4})", 1013, ""},
        {R"({"QNH":1020.5})", 1021, ""},
        {R"({"QNH":"1013"})", 1013, ""},
        {R"({"QNH":"1013hPa"})", 1013, ""},
        {R"({"QNH":"-1013"})", 0, "? Strange QNH -1013 found in {\"QNH\":\"-1013\"}"},
        {R"({"QNH":2992})", 1013, ""},  // hundredths of inHg: 1013.25
        {R"({"QNH":3000})", 1016, ""},
        {R"({"QNH":930,"wind":[270,12]})", 930, ""},
        {R"({"QNH":1080})", 1080, ""},
        {R"({"QNH":929})", 0, "? Strange QNH 929 found in {\"QNH\":929}"},
        {R"({"QNH":1081})", 0, "? Strange QNH 366 found in {\"QNH\":1081}"},
        {R"({"QNH":29.92})", 0, "? Strange QNH 30 found in {\"QNH\":29.92}"},
        {R"({"QNH":"hPa"})", 0, "===> QNH string parse error: hPa in {\"QNH\":\"hPa\"}"},
        {R"({"QNH":"99999999999"})", 0, "===> QNH string parse error: 99999999999 in {\"QNH\":\"99999999999\"}"},
        {R"({"QNH":null})", 0, "no QNH {\"QNH\":null}"},
        {R"({"QNH":[]})", 0, "no QNH {\"QNH\":[]}"},
        {R"({"QNH":{}})", 0, "no QNH {\"QNH\":{}}"},
        {R"({"QNH":true})", 0, "no QNH {\"QNH\":true}"},
        {R"({"QNH":[1013]})", 0, "no QNH {\"QNH\":[1013]}"},
        {R"({"qnh":1013})", 0, "no QNH {\"qnh\":1013}"},
        {R"([1013])", 0, "no QNH [1013]"},
        {R"(1013)", 0, "no QNH 1013"},
        {R"({"QNH":99999999999})", 0, "Exception narrowing_error, in {\"QNH\":99999999999}"},
        {R"({"QNH":1e300})", 0, "Exception narrowing_error, in {\"QNH\":1e300}"},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.datagram);
        const test::LogCapture caseLog;
        qnhReader.lastQnh = 1000;
        TrafficReader::qnh = 1000;
        qnhForSim = 1000;
        MainWindow::qnh = 1000;
        qnhReader.processDatagram(testCase.datagram);
        const int expected = testCase.published == 0 ? 1000 : testCase.published;
        EXPECT_EQ(qnhReader.lastQnh, expected);
        EXPECT_EQ(TrafficReader::qnh, expected);
        EXPECT_EQ(qnhForSim, expected);
        EXPECT_EQ(MainWindow::qnh, expected);
        test::expectLoggedOnly(caseLog, testCase.logLine);
    }
}

TEST_F(QnhDatagram, AnythingButJsonIsLoggedAsAnException) {
    qnhReader.processDatagram("QNH=1013");
    const auto lines = log().lines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_THAT(lines[0], test::MatchesWhole("Exception \\[json\\.exception\\.parse_error\\..*, in QNH=1013"));
    EXPECT_EQ(qnhForSim, kStandardQnhHpa);
}

TEST_F(QnhDatagram, ARepeatChangesNothingUnless1013AndAnAcceptedValueTurnsTheStaleLampGreen) {
    MainWindow::weatherReaderState = MainWindow::readerStale;
    qnhReader.processDatagram(R"({"QNH":1020})");
    EXPECT_EQ(MainWindow::qnh, 1020);
    EXPECT_EQ(MainWindow::weatherReaderState, MainWindow::readerReceiving);

    MainWindow::weatherReaderState = MainWindow::readerStale;
    MainWindow::qnh = 0;
    qnhReader.processDatagram(R"({"QNH":1020})");
    EXPECT_EQ(MainWindow::qnh, 0);
    EXPECT_EQ(MainWindow::weatherReaderState, MainWindow::readerStale);

    qnhReader.processDatagram(R"({"QNH":1013})");
    MainWindow::qnh = 0;
    qnhReader.processDatagram(R"({"QNH":1013})");
    EXPECT_EQ(MainWindow::qnh, 1013);
    EXPECT_EQ(MainWindow::weatherReaderState, MainWindow::readerReceiving);

    // A lamp that is not stale is left as it is.
    MainWindow::weatherReaderState = MainWindow::readerNotStarted;
    qnhReader.processDatagram(R"({"QNH":1015})");
    EXPECT_EQ(MainWindow::weatherReaderState, MainWindow::readerNotStarted);
}

}  // namespace

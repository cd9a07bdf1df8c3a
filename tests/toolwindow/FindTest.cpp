// Find: exact lookup first, the First-row rule, the locale-aware contains test,
// the dataset choice, Stop and the final status text.
#include "ToolWindowFixture.h"

using namespace twtest;

namespace {

class FindTest : public ToolWindowTest {};

TEST_F(FindTest, ExactLookupFirstThenContainedNamesInRecordOrder) {
    setMap({{"Streets", {{"Old Main Road"}, {"main st"}, {"Elm"}, {"Main", 7}}}});
    open();
    find("Main");
    EXPECT_EQ(rows(), (QStringList{"Main", "Old Main Road", "main st"}));
    EXPECT_EQ(form().ResultRows()->imageIndex(0), 8);
    EXPECT_EQ(status(), "Matched: 3 of 4 records searched");
    EXPECT_EQ(form().cmdFindPushpin->Caption(), "Find");
    EXPECT_FALSE(form().ProgressBar1->isVisible());
    EXPECT_EQ(form().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FindTest, FirstRowRuleDropsEveryOtherPushpinOfTheExactName) {
    setMap({{"A", {{"Main"}, {"x"}, {"Main"}}}, {"B", {{"Main"}, {"Mainz"}}}});
    open();
    find("Main");
    EXPECT_EQ(rows(), (QStringList{"Main", "Mainz"}));
    EXPECT_EQ(status(), "Matched: 2 of 5 records searched");
}

TEST_F(FindTest, NoMatchListsNothingAndCountsEveryRecord) {
    setMap({{"A", numbered("p", 6)}, {"B", numbered("q", 3)}});
    open();
    find("zzz");
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(status(), "Matched: 0 of 9 records searched");
}

TEST_F(FindTest, AllSearchesEveryDatasetIncludingEmptyOnes) {
    setMap({{"Ten", numbered("t", 10)}, {"None", {}}, {"Five", numbered("f", 5)}});
    open();
    ASSERT_EQ(form().DataSetChoice(), "All");
    find("1");
    // t1, t10, f1.
    EXPECT_EQ(rows(), (QStringList{"t1", "t10", "f1"}));
    EXPECT_EQ(status(), "Matched: 3 of 15 records searched");
    // The bar restarted for the last dataset searched.
    EXPECT_EQ(form().ProgressBar1->maximum(), 5);
}

TEST_F(FindTest, ChoiceSearchesEveryDatasetOfThatExactName) {
    setMap({{"Shops", {{"shop a"}}}, {"Other", {{"shop b"}}}, {"Shops", {{"shop c"}}}});
    open();
    choose("Shops");
    find("shop");
    EXPECT_EQ(rows(), (QStringList{"shop a", "shop c"}));
    EXPECT_EQ(status(), "Matched: 2 of 2 records searched");
}

TEST_F(FindTest, UnknownOrLowerCasedChoiceRunsOnlyTheExactLookup) {
    setMap({{"Shops", {{"shop"}, {"shop two"}}}});
    open();
    for (const QString& choice : {QStringLiteral("Gone"), QStringLiteral("all")}) {
        choose(choice);
        find("shop");
        EXPECT_EQ(rows(), QStringList{"shop"}) << choice.toStdString();
        EXPECT_EQ(status(), "Matched: 1 of 0 records searched") << choice.toStdString();
    }
}

TEST_F(FindTest, EmptySearchBoxDoesNothing) {
    setMap({{"A", numbered("p", 3)}});
    open();
    getAll();
    form().StatusBar1->setPanelText(1, "before");
    find("");
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(status(), "before");
    EXPECT_EQ(form().cmdFindPushpin->Caption(), "Find");
}

TEST_F(FindTest, EnterInTheSearchBoxStartsFind) {
    setMap({{"A", {{"alpha"}, {"beta"}}}});
    open();
    form().Text1->setText("ALP");
    emit form().Text1->returnPressed();
    EXPECT_EQ(rows(), QStringList{"alpha"});
    EXPECT_EQ(status(), "Matched: 1 of 2 records searched");
}

TEST_F(FindTest, MatchIgnoresCaseAlsoBeyondAscii) {
    setMap({{"A", {{"ÄRGER"}, {"Straße"}, {"plain"}, {"ärger klein"}}}});
    open();
    find("Ärg");
    EXPECT_EQ(rows(), (QStringList{"ÄRGER", "ärger klein"}));
    find("STRASSE"); // lower-casing, not case folding: ß stays ß
    EXPECT_TRUE(rows().isEmpty());
    find("STRAßE");
    EXPECT_EQ(rows(), QStringList{"Straße"});
}

TEST_F(FindTest, StopAtRecordFortyEndsBeforeRecordFortyOne) {
    std::vector<Pin> pins = numbered("p", 1000);
    setMap({{"Big", pins}, {"Later", numbered("z", 10)}});
    open();
    toolwindow::MessagePump::setStandardInterval(0);
    QString captionAfterStop;
    atProgress(40, [&] {
        emit form().cmdFindPushpin->Click();
        captionAfterStop = form().cmdFindPushpin->Caption();
    });
    find("p4"); // p4, p40 .. p49, p400 ..
    EXPECT_EQ(captionAfterStop, "Find");
    // Record 40 (p40) was still tested; nothing after it, and no later dataset.
    EXPECT_EQ(rows(), (QStringList{"p4", "p40"}));
    EXPECT_EQ(status(), "Matched: 2 of 40 records searched");
    EXPECT_FALSE(form().ProgressBar1->isVisible());
    EXPECT_EQ(form().cmdFindPushpin->Caption(), "Find");
}

TEST_F(FindTest, StopClickFromTheEventLoopEndsALongSearch) {
    setMap({{"Big", numbered("p", 300000)}});
    open();
    // Fires at the first pass of the message pump inside the loop.
    QTimer::singleShot(0, form_.get(), [&] { emit form().cmdFindPushpin->Click(); });
    find("p");
    const QString text = status();
    ASSERT_TRUE(text.startsWith("Matched: ")) << text.toStdString();
    const int searched = text.section(' ', 3, 3).toInt();
    EXPECT_GT(searched, 0);
    EXPECT_LT(searched, 300000);
    EXPECT_EQ(rows().size(), searched);
    EXPECT_EQ(form().cmdFindPushpin->Caption(), "Find");
}

TEST_F(FindTest, SearchTextIsReadAnewForEveryRecord) {
    setMap({{"A", {{"Main"}, {"one"}, {"two"}, {"Main"}, {"three"}}}});
    open();
    toolwindow::MessagePump::setStandardInterval(0);
    bool stopIgnored = false;
    atProgress(2, [&] {
        form().Text1->clear();
        // With the box empty a Stop click does nothing.
        emit form().cmdFindPushpin->Click();
        stopIgnored = form().cmdFindPushpin->Caption() == "Stop";
    });
    find("Main");
    EXPECT_TRUE(stopIgnored);
    // From record 2 on everything matches, except a second "Main" (First-row rule).
    EXPECT_EQ(rows(), (QStringList{"Main", "one", "two", "three"}));
    EXPECT_EQ(status(), "Matched: 4 of 5 records searched");
}

TEST_F(FindTest, ClearDuringASearchEmptiesTheListAndTheSearchGoesOn) {
    setMap({{"A", {{"a1"}, {"a2"}, {"a3"}, {"a4"}, {"a1"}}}});
    open();
    toolwindow::MessagePump::setStandardInterval(0);
    atProgress(3, [&] { emit form().ButtonClear->Click(); });
    find("a");
    // a1 and a2 were cleared before a3 was tested; the First-row rule then looks at a3.
    EXPECT_EQ(rows(), (QStringList{"a3", "a4", "a1"}));
    EXPECT_EQ(status(), "Matched: 5 of 5 records searched");
}

TEST_F(FindTest, SymbolPicturesFollowTheSymbolImageIndex) {
    setMap({{"A", {{"s254", 254}, {"s255", 255}, {"s0", 0}}}});
    open();
    find("s");
    ASSERT_EQ(rows(), (QStringList{"s254", "s255", "s0"}));
    EXPECT_EQ(form().ResultRows()->imageIndex(0), 255);
    EXPECT_EQ(form().ResultRows()->imageIndex(1), 1);
    EXPECT_EQ(form().ResultRows()->imageIndex(2), 1);
}

} // namespace

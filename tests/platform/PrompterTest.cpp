#include <gtest/gtest.h>

#include "Prompter.h"

using namespace platform;

TEST(ScriptedPrompter, AnswersInOrderAndRecordsEveryPrompt) {
    ScriptedPrompter p;
    p.answerMessage(vbNo).answerInput(QStringLiteral("3-5")).answerSaveFile(std::nullopt);
    EXPECT_EQ(p.message(QStringLiteral("Salvare?"), vbYesNoCancel, QStringLiteral("Tessaro")),
              vbNo);
    EXPECT_EQ(p.input(QStringLiteral("Pagine")), std::optional<QString>(QStringLiteral("3-5")));
    EXPECT_EQ(p.saveFile({}), std::nullopt);
    p.beep();
    EXPECT_TRUE(p.allAnswered());
    EXPECT_TRUE(p.unexpected().isEmpty());
    EXPECT_EQ(p.messages(), QStringList{QStringLiteral("Salvare?")});
    EXPECT_EQ(p.beeps(), 1);
    ASSERT_EQ(p.shown().size(), 3);
    EXPECT_EQ(p.shown()[0].title, QStringLiteral("Tessaro"));
}

TEST(ScriptedPrompter, UnexpectedPromptsAreRecordedAndCancelled) {
    ScriptedPrompter p;
    QStringList reported;
    p.setOnUnexpected([&](const QString& w) { reported << w; });
    EXPECT_EQ(p.message(QStringLiteral("x"), vbYesNoCancel), vbCancel);
    p.answerInput(QStringLiteral("a"));
    EXPECT_EQ(p.openFile({}), std::nullopt);  // wrong kind: the input answer stays queued
    EXPECT_EQ(p.unexpected().size(), 2);
    EXPECT_EQ(reported.size(), 2);
    EXPECT_EQ(p.pending(), 1);
}

TEST(ConsolePrompter, TakesDefaultAnswersAndCancelsInput) {
    ConsolePrompter p;
    EXPECT_EQ(p.message(QStringLiteral("q"), vbYesNoCancel), vbYes);
    EXPECT_EQ(p.message(QStringLiteral("q"), vbYesNoCancel | vbDefaultButton2), vbNo);
    EXPECT_EQ(p.message(QStringLiteral("m")), vbOK);
    EXPECT_EQ(p.input(QStringLiteral("?")), std::nullopt);
    EXPECT_EQ(buttonsOf(vbAbortRetryIgnore), (QList<int>{vbAbort, vbRetry, vbIgnore}));
}

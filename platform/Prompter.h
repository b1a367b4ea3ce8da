#pragma once

// Message boxes, input boxes and the common dialogs, behind one interface so
// that windows are tested with scripted answers and the command line answers
// without asking anybody.

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace platform {

// Message box styles and results, with the values the callers were written against.
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum MsgResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// The buttons a style shows, in order, and the one its default flag picks.
QList<int> buttonsOf(int style);
int defaultButtonOf(int style);

struct FileDialogRequest {
    QString title;
    QString filter;  // "Description|*.EXT|Other|*.*"
    int filterIndex = 1;
    QString fileName;  // preset name, may hold a folder
    QString initDir;
};

struct FontChoice {
    QString name;
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    uint32_t color = 0;  // 0x00BBGGRR
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // Returns the MsgResult of the button pressed. An empty title means the program's title.
    virtual int message(const QString& text, int style = vbOKOnly, const QString& title = {}) = 0;
    // Returns nothing when the user cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& title = {},
                                         const QString& def = {}) = 0;
    virtual std::optional<QString> openFile(const FileDialogRequest& req) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& req) = 0;
    virtual std::optional<uint32_t> chooseColor(uint32_t initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    virtual void beep() = 0;
};

// For the command line: messages go to standard error, a question takes its
// default answer, input boxes and dialogs are cancelled.
class ConsolePrompter : public Prompter {
public:
    int message(const QString& text, int style = vbOKOnly, const QString& title = {}) override;
    std::optional<QString> input(const QString& prompt, const QString& title = {},
                                 const QString& def = {}) override;
    std::optional<QString> openFile(const FileDialogRequest& req) override;
    std::optional<QString> saveFile(const FileDialogRequest& req) override;
    std::optional<uint32_t> chooseColor(uint32_t initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    void beep() override {}
};

// For tests: answers are queued in advance and taken in order; every prompt is
// recorded. A prompt whose kind does not match the next answer, or that finds
// no answer, is recorded as unexpected and cancelled.
class ScriptedPrompter : public Prompter {
public:
    enum Kind { Message, Input, OpenFile, SaveFile, Color, Font };
    struct Shown {
        Kind kind;
        QString text;  // message text, input prompt or dialog title
        QString title;
        int style = 0;
        FileDialogRequest file;
    };

    ScriptedPrompter& answerMessage(int result = vbOK);
    ScriptedPrompter& answerInput(std::optional<QString> text);
    ScriptedPrompter& answerOpenFile(std::optional<QString> path);
    ScriptedPrompter& answerSaveFile(std::optional<QString> path);
    ScriptedPrompter& answerColor(std::optional<uint32_t> color);
    ScriptedPrompter& answerFont(std::optional<FontChoice> font);

    // Runs when a prompt is shown, before it is answered (to look at a window meanwhile).
    void setOnShown(std::function<void(const Shown&)> hook) { onShown = std::move(hook); }
    // Runs for every unexpected prompt (tests point it at their failure macro).
    void setOnUnexpected(std::function<void(const QString&)> hook) {
        onUnexpected = std::move(hook);
    }

    const QList<Shown>& shown() const { return shownList; }
    QStringList messages() const;  // texts of the message boxes, in order
    int beeps() const { return beepCount; }
    const QStringList& unexpected() const { return unexpectedList; }
    bool allAnswered() const { return answers.empty(); }
    int pending() const { return static_cast<int>(answers.size()); }
    void clear();

    int message(const QString& text, int style = vbOKOnly, const QString& title = {}) override;
    std::optional<QString> input(const QString& prompt, const QString& title = {},
                                 const QString& def = {}) override;
    std::optional<QString> openFile(const FileDialogRequest& req) override;
    std::optional<QString> saveFile(const FileDialogRequest& req) override;
    std::optional<uint32_t> chooseColor(uint32_t initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    void beep() override { ++beepCount; }

private:
    struct Answer {
        Kind kind;
        int result = 0;
        std::optional<QString> text;
        std::optional<uint32_t> color;
        std::optional<FontChoice> font;
    };
    std::optional<Answer> take(Kind kind, const Shown& shown);

    std::deque<Answer> answers;
    QList<Shown> shownList;
    QStringList unexpectedList;
    int beepCount = 0;
    std::function<void(const Shown&)> onShown;
    std::function<void(const QString&)> onUnexpected;
};

}  // namespace platform

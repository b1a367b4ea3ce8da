#include "Prompter.h"

#include <QTextStream>

#include <cstdio>

namespace platform {

QList<int> buttonsOf(int style) {
    switch (style & 7) {
        case vbOKCancel:
            return {vbOK, vbCancel};
        case vbAbortRetryIgnore:
            return {vbAbort, vbRetry, vbIgnore};
        case vbYesNoCancel:
            return {vbYes, vbNo, vbCancel};
        case vbYesNo:
            return {vbYes, vbNo};
        case vbRetryCancel:
            return {vbRetry, vbCancel};
        default:
            return {vbOK};
    }
}

int defaultButtonOf(int style) {
    const QList<int> b = buttonsOf(style);
    int index = (style & vbDefaultButton3) ? 2 : ((style & vbDefaultButton2) ? 1 : 0);
    return b.value(index, b.first());
}

namespace {
void toStderr(const QString& s) {
    QByteArray bytes = s.toUtf8();
    bytes.append('\n');
    std::fwrite(bytes.constData(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}
}  // namespace

int ConsolePrompter::message(const QString& text, int style, const QString& title) {
    toStderr(title.isEmpty() ? text : title + QStringLiteral(": ") + text);
    return defaultButtonOf(style);
}

std::optional<QString> ConsolePrompter::input(const QString& prompt, const QString& title,
                                              const QString&) {
    toStderr(title.isEmpty() ? prompt : title + QStringLiteral(": ") + prompt);
    return std::nullopt;
}

std::optional<QString> ConsolePrompter::openFile(const FileDialogRequest&) {
    return std::nullopt;
}
std::optional<QString> ConsolePrompter::saveFile(const FileDialogRequest&) {
    return std::nullopt;
}
std::optional<uint32_t> ConsolePrompter::chooseColor(uint32_t) {
    return std::nullopt;
}
std::optional<FontChoice> ConsolePrompter::chooseFont(const FontChoice&) {
    return std::nullopt;
}

ScriptedPrompter& ScriptedPrompter::answerMessage(int result) {
    answers.push_back({Message, result, {}, {}, {}});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::answerInput(std::optional<QString> text) {
    answers.push_back({Input, 0, std::move(text), {}, {}});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::answerOpenFile(std::optional<QString> path) {
    answers.push_back({OpenFile, 0, std::move(path), {}, {}});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::answerSaveFile(std::optional<QString> path) {
    answers.push_back({SaveFile, 0, std::move(path), {}, {}});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::answerColor(std::optional<uint32_t> color) {
    answers.push_back({Color, 0, {}, color, {}});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::answerFont(std::optional<FontChoice> font) {
    answers.push_back({Font, 0, {}, {}, std::move(font)});
    return *this;
}

QStringList ScriptedPrompter::messages() const {
    QStringList out;
    for (const Shown& s : shownList)
        if (s.kind == Message) out << s.text;
    return out;
}

void ScriptedPrompter::clear() {
    answers.clear();
    shownList.clear();
    unexpectedList.clear();
    beepCount = 0;
}

std::optional<ScriptedPrompter::Answer> ScriptedPrompter::take(Kind kind, const Shown& shown) {
    shownList << shown;
    if (onShown) onShown(shown);
    static const char* names[] = {"message",     "input box",     "open dialog",
                                  "save dialog", "colour dialog", "font dialog"};
    if (answers.empty() || answers.front().kind != kind) {
        QString what =
            QStringLiteral("unexpected %1: %2").arg(QLatin1String(names[kind]), shown.text);
        if (!answers.empty())
            what += QStringLiteral(" (next answer is for a %1)")
                        .arg(QLatin1String(names[answers.front().kind]));
        unexpectedList << what;
        if (onUnexpected) onUnexpected(what);
        return std::nullopt;
    }
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

int ScriptedPrompter::message(const QString& text, int style, const QString& title) {
    auto a = take(Message, {Message, text, title, style, {}});
    if (!a) return buttonsOf(style).contains(vbCancel) ? vbCancel : defaultButtonOf(style);
    return a->result;
}

std::optional<QString> ScriptedPrompter::input(const QString& prompt, const QString& title,
                                               const QString&) {
    auto a = take(Input, {Input, prompt, title, 0, {}});
    return a ? a->text : std::nullopt;
}

std::optional<QString> ScriptedPrompter::openFile(const FileDialogRequest& req) {
    auto a = take(OpenFile, {OpenFile, req.title, req.title, 0, req});
    return a ? a->text : std::nullopt;
}

std::optional<QString> ScriptedPrompter::saveFile(const FileDialogRequest& req) {
    auto a = take(SaveFile, {SaveFile, req.title, req.title, 0, req});
    return a ? a->text : std::nullopt;
}

std::optional<uint32_t> ScriptedPrompter::chooseColor(uint32_t) {
    auto a = take(Color, {Color, QString(), QString(), 0, {}});
    return a ? a->color : std::nullopt;
}

std::optional<FontChoice> ScriptedPrompter::chooseFont(const FontChoice& initial) {
    auto a = take(Font, {Font, initial.name, QString(), 0, {}});
    return a ? a->font : std::nullopt;
}

}  // namespace platform

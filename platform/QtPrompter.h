#pragma once

#include "Prompter.h"

class QWidget;

namespace platform {

// The interactive prompter: Qt message boxes and dialogs over the active window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parentWidget(parent) {}
    void setParent(QWidget* parent) { parentWidget = parent; }

    int message(const QString& text, int style = vbOKOnly, const QString& title = {}) override;
    std::optional<QString> input(const QString& prompt, const QString& title = {},
                                 const QString& def = {}) override;
    std::optional<QString> openFile(const FileDialogRequest& req) override;
    std::optional<QString> saveFile(const FileDialogRequest& req) override;
    std::optional<uint32_t> chooseColor(uint32_t initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    void beep() override;

    // "Desc|*.A|Other|*.*" as a Qt name filter list.
    static QStringList qtFilters(const QString& filter);

private:
    QWidget* parent() const;
    QWidget* parentWidget = nullptr;
};

}  // namespace platform

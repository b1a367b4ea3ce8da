#include "QtPrompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {
QMessageBox::StandardButton qtButton(int r) {
    switch (r) {
        case vbOK:
            return QMessageBox::Ok;
        case vbCancel:
            return QMessageBox::Cancel;
        case vbAbort:
            return QMessageBox::Abort;
        case vbRetry:
            return QMessageBox::Retry;
        case vbIgnore:
            return QMessageBox::Ignore;
        case vbYes:
            return QMessageBox::Yes;
        case vbNo:
            return QMessageBox::No;
    }
    return QMessageBox::Ok;
}
}  // namespace

QWidget* QtPrompter::parent() const {
    return parentWidget ? parentWidget : QApplication::activeWindow();
}

int QtPrompter::message(const QString& text, int style, const QString& title) {
    QMessageBox box(parent());
    box.setWindowTitle(title.isEmpty() ? QCoreApplication::applicationName() : title);
    box.setText(text);
    switch (style & 0x70) {
        case vbCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case vbQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case vbExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case vbInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    const QList<int> buttons = buttonsOf(style);
    for (int b : buttons) box.addButton(qtButton(b));
    box.setDefaultButton(qtButton(defaultButtonOf(style)));
    if (buttons.contains(vbCancel)) box.setEscapeButton(qtButton(vbCancel));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (int b : buttons)
        if (box.button(qtButton(b)) == clicked) return b;
    return buttons.contains(vbCancel) ? vbCancel : buttons.last();
}

std::optional<QString> QtPrompter::input(const QString& prompt, const QString& title,
                                         const QString& def) {
    bool ok = false;
    QString text = QInputDialog::getText(
        parent(), title.isEmpty() ? QCoreApplication::applicationName() : title, prompt,
        QLineEdit::Normal, def, &ok);
    if (!ok) return std::nullopt;
    return text;
}

QStringList QtPrompter::qtFilters(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString desc = parts[i];
        // Descriptions often repeat the pattern already.
        if (desc.contains(QLatin1Char('(')))
            desc = desc.left(desc.indexOf(QLatin1Char('('))).trimmed();
        out << QStringLiteral("%1 (%2)").arg(desc, pattern);
    }
    return out;
}

namespace {
std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& req, bool save) {
    QFileDialog dlg(parent, req.title);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The callers ask about overwriting themselves.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = QtPrompter::qtFilters(req.filter);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        dlg.selectNameFilter(filters.value(req.filterIndex - 1, filters.first()));
    }
    if (!req.initDir.isEmpty()) dlg.setDirectory(req.initDir);
    if (!req.fileName.isEmpty()) dlg.selectFile(req.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().first();
}
}  // namespace

std::optional<QString> QtPrompter::openFile(const FileDialogRequest& req) {
    return runFileDialog(parent(), req, false);
}

std::optional<QString> QtPrompter::saveFile(const FileDialogRequest& req) {
    return runFileDialog(parent(), req, true);
}

std::optional<uint32_t> QtPrompter::chooseColor(uint32_t initial) {
    QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    QColor c = QColorDialog::getColor(start, parent());
    if (!c.isValid()) return std::nullopt;
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

std::optional<FontChoice> QtPrompter::chooseFont(const FontChoice& initial) {
    QFont f(initial.name);
    f.setPointSizeF(initial.size > 0 ? initial.size : 10);
    f.setBold(initial.bold);
    f.setItalic(initial.italic);
    f.setUnderline(initial.underline);
    f.setStrikeOut(initial.strikeout);
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, f, parent());
    if (!ok) return std::nullopt;
    FontChoice out = initial;
    out.name = chosen.family();
    out.size = chosen.pointSizeF();
    out.bold = chosen.bold();
    out.italic = chosen.italic();
    out.underline = chosen.underline();
    out.strikeout = chosen.strikeOut();
    return out;
}

void QtPrompter::beep() {
    QApplication::beep();
}

}  // namespace platform

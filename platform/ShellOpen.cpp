#include "ShellOpen.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace platform {

int DesktopShell::open(const QString& target, const QString& workdir, int) {
    const QString t = target.trimmed();
    if (t.isEmpty()) return SE_ERR_FNF;
    const QString lower = t.toLower();
    if (lower.startsWith(QLatin1String("http")) || lower.startsWith(QLatin1String("mailto")) ||
        lower.startsWith(QLatin1String("ftp:"))) {
        return QDesktopServices::openUrl(QUrl(t)) ? SHELL_OK : SE_ERR_NOASSOC;
    }
    QFileInfo fi(QDir(workdir.isEmpty() ? QDir::currentPath() : workdir), t);
    if (!fi.exists()) return fi.absoluteDir().exists() ? SE_ERR_FNF : SE_ERR_PNF;
    if (!fi.isReadable()) return SE_ERR_ACCESSDENIED;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fi.absoluteFilePath())) ? SHELL_OK
                                                                                 : SE_ERR_NOASSOC;
}

int ShellOpen(const QString& target, const QString& workdir, int showCmd) {
    DesktopShell shell;
    return shell.open(target, workdir, showCmd);
}

}  // namespace platform

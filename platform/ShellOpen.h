#pragma once

#include <QString>

namespace platform {

// Result codes of opening a document with the desktop's "open" action:
// above 32 is success, otherwise one of these.
enum ShellResult : int {
    SE_ERR_FNF = 2,
    SE_ERR_PNF = 3,
    SE_ERR_ACCESSDENIED = 5,
    SE_ERR_OOM = 8,
    SE_ERR_SHARE = 26,
    SE_ERR_ASSOCINCOMPLETE = 27,
    SE_ERR_DDETIMEOUT = 28,
    SE_ERR_DDEFAIL = 29,
    SE_ERR_DDEBUSY = 30,
    SE_ERR_NOASSOC = 31,
    SE_ERR_DLLNOTFOUND = 32,
    SHELL_OK = 42,
};

constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

class Shell {
public:
    virtual ~Shell() = default;
    virtual int open(const QString& target, const QString& workdir, int showCmd) = 0;
};

// Opens files, web and mail addresses with the desktop's default program.
class DesktopShell : public Shell {
public:
    int open(const QString& target, const QString& workdir, int showCmd) override;
};

// The desktop shell, for callers that were not handed another.
int ShellOpen(const QString& target, const QString& workdir = {}, int showCmd = SW_SHOW);

}  // namespace platform

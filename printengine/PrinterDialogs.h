#pragma once

// The printer's own dialogs: its properties and the document set-up. The
// window-less one answers as scripted (cancel unless told otherwise).

#include <cstdint>
#include <deque>
#include <optional>

namespace platform {
class Printer;
}

namespace velmora {

struct ImpostazioniDocumento {
    int orientamento = 1;
    int copie = 1;
    int qualita = -4;
    int formato = 9;
};

class PrinterDialogs {
public:
    virtual ~PrinterDialogs() = default;
    // True when the user confirmed. Throws Errore when the dialog cannot be shown.
    virtual bool properties(platform::Printer& printer, int32_t parentHwnd) = 0;
    // The settings chosen, or nothing on Cancel.
    virtual std::optional<ImpostazioniDocumento> documentSetup(platform::Printer& printer,
                                                               int32_t parentHwnd) = 0;
};

class HeadlessPrinterDialogs : public PrinterDialogs {
public:
    bool properties(platform::Printer& printer, int32_t parentHwnd) override;
    std::optional<ImpostazioniDocumento> documentSetup(platform::Printer& printer,
                                                       int32_t parentHwnd) override;

    std::deque<bool> propertiesAnswers;
    std::deque<std::optional<ImpostazioniDocumento>> setupAnswers;
    int shown = 0;
};

}  // namespace velmora

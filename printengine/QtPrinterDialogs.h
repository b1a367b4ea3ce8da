#pragma once

// The printer dialogs as Qt shows them: the print dialog for the printer's
// properties and the page set-up dialog for the document's settings.

#include "PrinterDialogs.h"

namespace velmora {

class QtPrinterDialogs : public PrinterDialogs {
public:
    bool properties(platform::Printer& printer, int32_t parentHwnd) override;
    std::optional<ImpostazioniDocumento> documentSetup(platform::Printer& printer,
                                                       int32_t parentHwnd) override;
};

}  // namespace velmora

#include "PrinterDialogs.h"

namespace velmora {

bool HeadlessPrinterDialogs::properties(platform::Printer&, int32_t) {
    ++shown;
    if (propertiesAnswers.empty()) return false;
    bool a = propertiesAnswers.front();
    propertiesAnswers.pop_front();
    return a;
}

std::optional<ImpostazioniDocumento> HeadlessPrinterDialogs::documentSetup(platform::Printer&,
                                                                           int32_t) {
    ++shown;
    if (setupAnswers.empty()) return std::nullopt;
    auto a = setupAnswers.front();
    setupAnswers.pop_front();
    return a;
}

}  // namespace velmora

#pragma once

// A second interface of the print job for clients that print without asking
// the user: which printer to use, and where the file printers write.

#include "Com.h"

namespace velmora {

inline constexpr com::IID IID_IUscitaStampa =
    com::makeGuid(0x8E1C2B57, 0x44A0, 0x4F3D, 0x9B, 0x61, 0x2D, 0x7A, 0x0C, 0x93, 0xE5, 0x48);

class IUscitaStampa : public com::IUnknown {
public:
    // Makes the named printer (one of those the printer list offers) the job's
    // printer; *trovata tells whether it exists.
    virtual com::HRESULT SelezionaStampante(com::BSTR* nome, com::VARIANT_BOOL* trovata) = 0;
    // The file the PDF printer writes, or the first page's file of the image printer.
    virtual com::HRESULT put_FileUscita(com::BSTR* percorso) = 0;

protected:
    ~IUscitaStampa() = default;
};

}  // namespace velmora

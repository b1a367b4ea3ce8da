#pragma once

// One page of a preview job: its commands in drawing order.

#include <QList>

#include <memory>

#include "ClsComandi.h"

namespace velmora {

class ClsPagina {
public:
    using Collezione = QList<ComandoPtr>;

    // The collection is held by reference so that it can be handed over whole.
    ClsPagina() : comandi(std::make_shared<Collezione>()) {}

    Collezione& Comandi() { return *comandi; }
    const Collezione& Comandi() const { return *comandi; }
    std::shared_ptr<Collezione> ComandiRef() const { return comandi; }
    void setComandi(std::shared_ptr<Collezione> c) {
        comandi = c ? std::move(c) : std::make_shared<Collezione>();
    }

private:
    std::shared_ptr<Collezione> comandi;
};

using PaginaPtr = std::shared_ptr<ClsPagina>;

}  // namespace velmora

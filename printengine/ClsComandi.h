#pragma once

// One recorded command: its name, its specification string and the designer's
// selection state of the object and of each of its vertices.

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace velmora {

class ClsComandi {
public:
    ClsComandi() = default;
    ClsComandi(QString nome, QString stringa)
        : NomeComando(std::move(nome)), StringaComando(std::move(stringa)) {}

    QString NomeComando;
    QString StringaComando;
    QString StatoComando;  // "" or "Selezionato"

    int32_t nvert() const { return static_cast<int32_t>(vertici.size()); }
    // Resizes the vertex flags to 1..n, keeping those already there.
    void setNvert(int32_t n) { vertici.resize(n > 0 ? static_cast<size_t>(n) : 0, false); }
    // 1-based; an index outside 1..nvert throws the subscript error.
    bool VerticeSel(int32_t n) const;
    void setVerticeSel(int32_t n, bool selezionato);

private:
    std::vector<bool> vertici;
};

using ComandoPtr = std::shared_ptr<ClsComandi>;

// The 45 command names a page may hold (exact, case-sensitive).
bool ComandoValido(const QString& nome);
const std::vector<QString>& nomiComandi();

inline const QString& nomeNewPage() {
    static const QString n = QStringLiteral("New Page");
    return n;
}

}  // namespace velmora

#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The analysis record: what the window holds, validated, and what the report
// and the print read. Arrays keep the 1-based indexes of the window's rows
// (element 0 is unused).
struct DatiAnalisi {
    QString DescrPesoProprio;
    float PesoProprio = 0;

    std::array<float, 14> PermAttivo{};
    std::array<float, 14> PermValore{};
    std::array<QString, 14> PermDescr;
    float TotPermanenti = 0;

    std::array<float, 6> LDAttivo{};
    std::array<float, 6> LDValore{};
    std::array<QString, 6> LDDescr;
    float TotLungaDurata = 0;

    int16_t Categoria = 0;
    QString DescrCategoria;
    std::array<float, 3> CaricoBreve{};
    float TotBreveRipartito = 0;
    float TotBreveConcentrato = 0;

    int16_t NeveAttiva = 0;
    QString FormulaNeve;
    float CaricoNeve = 0;
    float QuotaSlm = 750;
    QString ZonaNeve = QStringLiteral("IV");  // read as zone III
    float CeNeve = 1;
    float CtNeve = 1;
    float MuNeve = 1;
    int16_t NumFalde = 1;
    int16_t Parapetto = 0;

    int16_t VentoAttivo = 0;
    QString FormulaVento;
    float CaricoVento = 0;
    int16_t ZonaVento = 4;
    QString ClasseRugosita = QStringLiteral("B");  // one character
    float DistanzaMare = 50;
    float AltezzaEdificio = 6;
    QString CategoriaEsposizione = QStringLiteral("III");  // three characters, blank-padded
    float CtVento = 1;
    float CeVento = 1;
    float CdVento = 1;
    float CpVento = 0.4f;
    float VbVento = 1;
};

#include "ClimateCli.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cmath>
#include <map>
#include <optional>

#include "SnowLoad.h"
#include "VbConv.h"
#include "WindLoad.h"

namespace {

struct OptionSpec {
    QString name;
    bool takesValue;
};

// Options as "--x V" or "--x=V"; later ones win. Returns the error text on bad usage.
std::optional<QString> parseOptions(const QStringList& args, const QList<OptionSpec>& specs,
                                    std::map<QString, QString>& values) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QLatin1String("--")))
            return QStringLiteral("argomento inatteso: ") + arg;
        QString name = arg.mid(2);
        std::optional<QString> inlineValue;
        if (const int eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            inlineValue = name.mid(eq + 1);
            name = name.left(eq);
        }
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& s : specs)
            if (s.name == name) spec = &s;
        if (!spec) return QStringLiteral("opzione sconosciuta: --") + name;
        if (!spec->takesValue) {
            if (inlineValue) return QStringLiteral("l'opzione --") + name + " non vuole un valore";
            values[name] = QString();
            continue;
        }
        if (inlineValue) {
            values[name] = *inlineValue;
        } else {
            if (i + 1 >= args.size())
                return QStringLiteral("manca il valore dell'opzione --") + name;
            values[name] = args[++i];
        }
    }
    return std::nullopt;
}

// Numbers are typed with "," or "."; the fields take the regional comma, as their keys do.
QString fieldText(const QString& value) {
    QString t = value;
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t;
}

// Shortest text that reads back as the same single, as a JSON number.
QJsonValue jsonNumber(double v) {
    if (!std::isfinite(v)) return QJsonValue();
    return QJsonValue(v);
}

QJsonValue jsonNumber(float v) {
    if (!std::isfinite(v)) return QJsonValue();  // null: JSON has no infinity
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QJsonValue(std::strtod(std::string(buf, res.ptr).c_str(), nullptr));
}

void printJson(QTextStream& out, const QJsonObject& o) {
    out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << '\n';
}

int usage(QTextStream& err, const QString& message, const char* synopsis) {
    err << "tessaro: " << message << '\n' << "uso: " << synopsis << '\n';
    err.flush();
    return 2;
}

const char* const kSnowSynopsis =
    "tessaro snow [--zone Ia|Im|II|III] [--altitude M] [--ce X] [--ct X] [--slope DEG] "
    "[--parapet] [--pitches 1|2] [--json]";
const char* const kWindSynopsis =
    "tessaro wind [--zone 1..9] [--class A|B|C|D] [--distance KM] [--height M] [--altitude M] "
    "[--ct X] [--cd X] [--cp X] [--json]";

}  // namespace

int runSnowCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    std::map<QString, QString> opt;
    if (auto bad = parseOptions(args,
                                {{"zone", true},
                                 {"altitude", true},
                                 {"ce", true},
                                 {"ct", true},
                                 {"slope", true},
                                 {"parapet", false},
                                 {"pitches", true},
                                 {"json", false}},
                                opt))
        return usage(err, *bad, kSnowSynopsis);
    auto value = [&](const char* name, const char* def) {
        auto it = opt.find(QString::fromLatin1(name));
        return it == opt.end() ? QString::fromLatin1(def) : it->second;
    };

    using climate::SnowZone;
    const QString zoneText = vb::Trim(value("zone", "III"));
    SnowZone zone;
    if (zoneText.compare(QLatin1String("Ia"), Qt::CaseInsensitive) == 0 ||
        zoneText.compare(QLatin1String("I"), Qt::CaseInsensitive) == 0)
        zone = SnowZone::AlpinaI;
    else if (zoneText.compare(QLatin1String("Im"), Qt::CaseInsensitive) == 0)
        zone = SnowZone::MediterraneaI;
    else if (zoneText.compare(QLatin1String("II"), Qt::CaseInsensitive) == 0)
        zone = SnowZone::II;
    else if (zoneText.compare(QLatin1String("III"), Qt::CaseInsensitive) == 0)
        zone = SnowZone::III;
    else
        return usage(err, QStringLiteral("zona non valida: ") + zoneText, kSnowSynopsis);

    const QString pitchesText = vb::Trim(value("pitches", "1"));
    if (pitchesText != QLatin1String("1") && pitchesText != QLatin1String("2"))
        return usage(err, QStringLiteral("numero di falde non valido: ") + pitchesText,
                     kSnowSynopsis);
    const int pitches = pitchesText.toInt();
    const bool parapet = opt.count(QStringLiteral("parapet")) > 0;

    // The altitude field refuses what is not a whole positive number of metres.
    const QString altitude = fieldText(value("altitude", "750"));
    climate::AltitudeState state = climate::snowAltitudeState(altitude);
    if (state == climate::AltitudeState::Empty) state = climate::AltitudeState::NotNumeric;
    if (state != climate::AltitudeState::Valid) {
        err << climate::snowAltitudeMessage(state) << '\n';
        err.flush();
        return 2;
    }

    // As the dialog works: the slope gives the shape coefficient text, which the load reads.
    const float mu = climate::shapeCoefficient(fieldText(value("slope", "0")), parapet);
    climate::SnowInputs in;
    in.zone = zone;
    in.altitude = altitude;
    in.ce = fieldText(value("ce", "1"));
    in.ct = fieldText(value("ct", "1"));
    in.mu = climate::shapeCoefficientText(mu);
    const climate::SnowResult r = climate::computeSnow(in);

    if (opt.count(QStringLiteral("json"))) {
        QJsonObject o;
        o.insert(QStringLiteral("Text6"), r.text6);
        o.insert(QStringLiteral("Text2"), r.text2);
        o.insert(QStringLiteral("Text8"), r.text8);
        o.insert(QStringLiteral("Text1"), r.text1);
        o.insert(QStringLiteral("Text5"), in.mu);
        o.insert(QStringLiteral("qsk"), jsonNumber(r.qsk));
        o.insert(QStringLiteral("qs"), jsonNumber(r.qs));
        o.insert(QStringLiteral("mu"), jsonNumber(r.mu));
        printJson(out, o);
    } else {
        out << "Carico da neve\n"
            << "  Zona " << climate::snowZoneCode(zone) << ", as = " << altitude << " m, "
            << (pitches == 2 ? "due falde" : "una falda") << ", "
            << (parapet ? "con parapetto" : "senza parapetto") << '\n'
            << "  μi = " << in.mu << "   Ce = " << vb::Format(r.ce, QStringLiteral("##0.00"))
            << "   Ct = " << vb::Format(r.ct, QStringLiteral("##0.00")) << '\n'
            << "  qsk = " << r.text6 << " = " << r.text2 << " daN/m²\n"
            << "  qs = μi qsk Ce Ct = " << r.text8 << " = " << r.text1 << " daN/m²\n";
    }
    out.flush();
    return 0;
}

int runWindCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    std::map<QString, QString> opt;
    if (auto bad = parseOptions(args,
                                {{"zone", true},
                                 {"class", true},
                                 {"distance", true},
                                 {"height", true},
                                 {"altitude", true},
                                 {"ct", true},
                                 {"cd", true},
                                 {"cp", true},
                                 {"json", false}},
                                opt))
        return usage(err, *bad, kWindSynopsis);
    auto value = [&](const char* name, const char* def) {
        auto it = opt.find(QString::fromLatin1(name));
        return it == opt.end() ? QString::fromLatin1(def) : it->second;
    };

    const QString zoneText = vb::Trim(value("zone", "4"));
    bool zoneOk = false;
    const int zone = zoneText.toInt(&zoneOk);
    if (!zoneOk || zone < 1 || zone > 9)
        return usage(err, QStringLiteral("zona non valida: ") + zoneText, kWindSynopsis);
    const QString classText = vb::Trim(value("class", "B")).toUpper();
    if (classText.size() != 1 || classText[0] < QLatin1Char('A') || classText[0] > QLatin1Char('D'))
        return usage(err, QStringLiteral("classe di rugosità non valida: ") + classText,
                     kWindSynopsis);

    climate::WindInputs in;
    in.zone = zone;
    in.roughness = classText;
    in.altitude = fieldText(value("altitude", "750"));
    in.distance = fieldText(value("distance", "50"));
    in.height = fieldText(value("height", "6"));
    in.ct = fieldText(value("ct", "1"));
    in.cd = fieldText(value("cd", "1"));
    in.cp = fieldText(value("cp", "0,4"));
    const climate::WindOutcome o = climate::computeWind(in);
    if (o.error) {
        err << climate::windFieldMessage(*o.error) << '\n';
        err.flush();
        return 2;
    }
    const climate::WindResult& r = o.result;

    if (opt.count(QStringLiteral("json"))) {
        QJsonObject j;
        j.insert(QStringLiteral("Text10"), r.text10);
        j.insert(QStringLiteral("Text11"), r.text11);
        j.insert(QStringLiteral("Text13"), r.text13);
        j.insert(QStringLiteral("Text6"), r.text6);
        j.insert(QStringLiteral("Text2"), r.text2);
        j.insert(QStringLiteral("Text8"), r.text8);
        j.insert(QStringLiteral("Text1"), r.text1);
        j.insert(QStringLiteral("FormulaVentoAux"), r.formula);
        j.insert(QStringLiteral("vb"), jsonNumber(r.vb));
        j.insert(QStringLiteral("category"), r.category);
        j.insert(QStringLiteral("ce"), jsonNumber(r.ce));
        j.insert(QStringLiteral("qb"), jsonNumber(r.qb));
        j.insert(QStringLiteral("P"), jsonNumber(r.P));
        printJson(out, j);
    } else {
        out << "Carico da vento\n"
            << "  Zona " << r.zone << ", classe di rugosità " << r.roughness
            << ", as = " << vb::CStr(r.as) << " m, distanza dal mare " << vb::CStr(r.distance)
            << " km, altezza edificio " << vb::CStr(r.height) << " m\n"
            << "  vb = " << r.text10 << " m/s   categoria di esposizione "
            << (r.category.isEmpty() ? QStringLiteral("(nessuna)") : r.category)
            << "   ce = " << r.text13 << '\n'
            << "  ct = " << vb::CStr(r.ct) << "   cd = " << vb::CStr(r.cd)
            << "   cp = " << vb::CStr(r.cp) << '\n'
            << "  Pressione Cinetica qb = " << r.text6 << " = " << r.text2 << " daN/m²\n"
            << "  Pressione netta P = " << r.text8 << " = " << r.text1 << " daN/m²\n";
    }
    out.flush();
    return 0;
}

#include <gtest/gtest.h>

#include "Errore.h"
#include "Regional.h"
#include "ValoriComando.h"

using namespace velmora;
namespace sp = velmora::specifica;

namespace {
struct RegionalScope {
    platform::Regional saved = platform::Regional::current();
    explicit RegionalScope(const platform::Regional& r) { platform::Regional::setCurrent(r); }
    ~RegionalScope() { platform::Regional::setCurrent(saved); }
};
}  // namespace

TEST(EstraiValore, LooksUpKeysAsPlainText) {
    struct Case {
        const char* key;
        const char* spec;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"x1=", "|x1=10|", QStringLiteral("10")},
        {"|x1=", "|x1=10|", QStringLiteral("10")},
        {"x1=", "|x1=10", std::nullopt},  // not closed by a bar: absent
        {"x1=", "|y1=10|", std::nullopt},
        {"x1=", "|x1=|", QString()},  // present but empty
        {"x1=", "|Testo=see x1=5|x1=10|", QStringLiteral("5")},
        {"Opaco=", "|ColoreOpaco=255|Opaco=True|", QStringLiteral("255")},
        {"NCar=", "|NCaratteri=(1,5)|", std::nullopt},
        {"Col=", "|ColCamp=5|ColoreOpaco=7|", std::nullopt},
        {"Y=", "|NY=3|", QStringLiteral("3")},
        {"Grassetto=", "|Grassetto=Vero|", QStringLiteral("True")},
        {"Grassetto=", "|Grassetto=Falso|", QStringLiteral("False")},
        {"Col=", "|Col=16.711.680|", QStringLiteral("16711680")},
        {"Col=", "|Col=16 711 680|", QStringLiteral("16711680")},
        {"Col=", "|Col=1.711.680|", QStringLiteral("1.711.680")},  // only that one spelling
        {"Testo=", "|Testo=Vero e Falso|", QStringLiteral("Vero e Falso")},
        {"Linee Verticali=", "|Linee Verticali=SI|", QStringLiteral("SI")},
        {"x12=", "|x1=1|x12=7|", QStringLiteral("7")},
        {"Testo=", "|Testo=riga 1\r\nriga 2|x1=1|", QStringLiteral("riga 1\r\nriga 2")},
        {"", "|x1=1|", QString()},
        {"x1=", "", std::nullopt},
    };
    for (const Case& c : cases) {
        auto got = Estrai_Valore(QString::fromUtf8(c.key), QString::fromUtf8(c.spec));
        EXPECT_EQ(got, c.expected) << c.key << " in " << c.spec;
    }
}

TEST(SpecificaReadings, AbsentAndEmptyRules) {
    RegionalScope it(platform::Regional::italian());
    // Absent keys read as the type's default.
    EXPECT_EQ(sp::numero("x1=", "|y1=1|"), 0.0f);
    EXPECT_EQ(sp::intero16("Angolo=", "||"), 0);
    EXPECT_FALSE(sp::booleano("Grassetto=", "|x1=1|"));
    EXPECT_EQ(sp::colore("Col=", "|x1=1|"), 0);
    EXPECT_EQ(sp::testo("Testo=", "|x1=1|"), QString());
    EXPECT_EQ(sp::numeroIniziale("NCar=", "|x1=1|"), 0.0);

    // Present but empty: a failure for numbers, integers, booleans and colours.
    for (const char* key : {"x1=", "Angolo=", "Grassetto=", "Col="}) {
        const QString spec = QStringLiteral("|%1|").arg(QString::fromUtf8(key));
        try {
            if (QString::fromUtf8(key) == "x1=")
                sp::numero(key, spec);
            else if (QString::fromUtf8(key) == "Angolo=")
                sp::intero16(key, spec);
            else if (QString::fromUtf8(key) == "Grassetto=")
                sp::booleano(key, spec);
            else
                sp::colore(key, spec);
            ADD_FAILURE() << key << " empty did not fail";
        } catch (const Errore& e) {
            EXPECT_EQ(e.numero(), ErrTipo) << key;
        }
    }
    // ... but 0 for a leading number and "" for a text.
    EXPECT_EQ(sp::numeroIniziale("NCar=", "|NCar=|"), 0.0);
    EXPECT_EQ(sp::testo("Testo=", "|Testo=|"), QString());
}

TEST(SpecificaReadings, TypedValues) {
    RegionalScope it(platform::Regional::italian());
    EXPECT_FLOAT_EQ(sp::numero("x1=", "|x1=10,50|"), 10.5f);
    EXPECT_FLOAT_EQ(sp::numero("x1=", "|x1=1.234,5|"), 1234.5f);
    EXPECT_EQ(sp::intero16("Angolo=", "|Angolo=2,5|"), 2);  // halves to even
    EXPECT_EQ(sp::intero16("Angolo=", "|Angolo=3,5|"), 4);
    EXPECT_EQ(sp::intero32("nVert=", "|nVert=-7|"), -7);
    EXPECT_EQ(sp::numeroIniziale("NCar=", "|NCar=20abc|"), 20.0);
    EXPECT_EQ(sp::numeroIniziale("NCar=", "|NCar=12.5|"), 12.5);
    EXPECT_TRUE(sp::booleano("Grassetto=", "|Grassetto=Vero|"));
    EXPECT_TRUE(sp::booleano("Grassetto=", "|Grassetto=True|"));
    EXPECT_FALSE(sp::booleano("Grassetto=", "|Grassetto=False|"));
    EXPECT_FALSE(sp::booleano("Grassetto=", "|Grassetto=0|"));
    EXPECT_TRUE(sp::booleano("Grassetto=", "|Grassetto=-1|"));
    EXPECT_EQ(sp::colore("Col=", "|Col=16.711.680|"), 16711680);
    EXPECT_EQ(sp::colore("Col=", "|Col=255|"), 255);
    EXPECT_EQ(sp::testo("Carattere=", "|Carattere=Courier New|"), QStringLiteral("Courier New"));

    // Under English settings the grouped blue still reads, thanks to the normalisation.
    RegionalScope en(platform::Regional::english());
    EXPECT_EQ(sp::colore("Col=", "|Col=16.711.680|"), 16711680);
    EXPECT_FLOAT_EQ(sp::numero("x1=", "|x1=10.50|"), 10.5f);
}

TEST(SpecificaReadings, FailuresCarryTheirNumber) {
    RegionalScope it(platform::Regional::italian());
    struct Case {
        const char* spec;
        int expected;
        int kind;  // 0 number, 1 int16, 2 int32, 3 boolean
    };
    const Case cases[] = {
        {"|v=abc|", ErrTipo, 0},   {"|v=40000|", ErrOverflow, 1}, {"|v=1e12|", ErrOverflow, 2},
        {"|v=Forse|", ErrTipo, 3}, {"|v=1e39|", ErrOverflow, 0},  {"|v=-32769|", ErrOverflow, 1},
    };
    for (const Case& c : cases) {
        try {
            switch (c.kind) {
                case 0:
                    sp::numero("v=", c.spec);
                    break;
                case 1:
                    sp::intero16("v=", c.spec);
                    break;
                case 2:
                    sp::intero32("v=", c.spec);
                    break;
                default:
                    sp::booleano("v=", c.spec);
                    break;
            }
            ADD_FAILURE() << c.spec << " did not fail";
        } catch (const Errore& e) {
            EXPECT_EQ(e.numero(), c.expected) << c.spec;
            EXPECT_FALSE(e.descrizione().isEmpty());
        }
    }
    EXPECT_EQ(sp::intero16("v=", "|v=-32768|"), -32768);
    EXPECT_EQ(sp::intero16("v=", "|v=32767,4|"), 32767);
}

TEST(SpecificaPlaceholder, WidthFromNCar) {
    const QString name = QStringLiteral("RagioneSociale");
    EXPECT_EQ(sp::segnaposto(name, "20"), QStringLiteral("<RagioneSociale____>"));
    EXPECT_EQ(sp::segnaposto(name, "20").size(), 20);
    EXPECT_EQ(sp::segnaposto(name, "10"), QStringLiteral("<RagioneS>"));
    EXPECT_EQ(sp::segnaposto(name, "0"), QStringLiteral("<RagioneSociale>"));
    EXPECT_EQ(sp::segnaposto(name, ""), QStringLiteral("<RagioneSociale>"));
    EXPECT_EQ(sp::segnaposto(name, "16"),
              QStringLiteral("<RagioneSociale>"));  // not shorter than 14
    EXPECT_EQ(sp::segnaposto(QStringLiteral("IVA"), "6,5"),
              QStringLiteral("<IVA_>"));  // Val stops at ","
    EXPECT_EQ(sp::segnaposto(QStringLiteral("A"), "4.5"),
              QStringLiteral("<A_>"));  // 2.5 to even: 2
    EXPECT_EQ(sp::segnaposto(QStringLiteral("A"), "1e300").size(), 32767 + 2);
}

TEST(SpecificaWriters, NumberPatterns) {
    RegionalScope it(platform::Regional::italian());
    EXPECT_EQ(sp::dueDecimali(10), QStringLiteral("10,00"));
    EXPECT_EQ(sp::dueDecimali(1234.5), QStringLiteral("1.234,50"));
    EXPECT_EQ(sp::fisso2(12.5), QStringLiteral("12,50"));
    EXPECT_EQ(sp::fisso2(1234.5), QStringLiteral("1234,50"));
    EXPECT_EQ(sp::fisso3(0.25), QStringLiteral("0,250"));
    EXPECT_EQ(sp::fisso3(-3.1416), QStringLiteral("-3,142"));
    EXPECT_EQ(sp::coloreRaggruppato(16711680), QStringLiteral("16.711.680"));
    RegionalScope en(platform::Regional::english());
    EXPECT_EQ(sp::fisso2(12.5), QStringLiteral("12.50"));
    EXPECT_EQ(sp::dueDecimali(1234.5), QStringLiteral("1,234.50"));
    // What a writer writes, the reader reads back under the same settings.
    EXPECT_FLOAT_EQ(sp::numero("x=", "|x=" + sp::dueDecimali(1234.5) + "|"), 1234.5f);
}

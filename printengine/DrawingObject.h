#pragma once

// What the drawing classes share: the device context they draw on, the
// bookkeeping values they carry, the outline pen and the fill, and a 1-based
// vertex list with per-vertex flags. Plain properties are public members, stored
// and returned unchanged.

#include <QString>

#include <cstdint>
#include <vector>

#include "DeviceContext.h"

struct DrawingObject {
    gdi::HDC DC = nullptr;  // context of the surface to draw on
    int16_t stato = 0;
    int16_t stampare = 0;
    int32_t Codice_Disegno = 0;
    int16_t Modificato = 0;
    QString Layer;
};

struct OutlinePen {
    int32_t trattcont = 0;  // pen style 0-5 (5 = none)
    float spescont = 0;     // width in device pixels
    int32_t colcont = 0;    // 0x00BBGGRR
};

// Fill codes of the fill list.
enum Campitura : int32_t {
    LineeOrizzontali = 0,
    LineeVerticali = 1,
    DiagonaleSu = 2,
    DiagonaleGiu = 3,
    Quadratini = 4,
    Rombi = 5,
    Solido = 6,
    Trasparente = 7,
    Immagine = 8,
};

struct AreaFill {
    int32_t campitura = 0;
    int32_t colocampitura = 0;
};

class VertexList {
public:
    int16_t vertic() const { return vertic_; }
    // The count is cut to 16 bits; existing vertices are kept.
    void setVertic(int32_t count);
    // Indexes run 1..vertic; any other raises std::out_of_range.
    void setVertex(float x, float y, int index);
    void vertex(float& x, float& y, int index) const;
    void setFlag(int16_t flag, int index);
    void flag(int16_t& flag, int index) const;
    // The vertices as device points, each coordinate rounded halves to even.
    std::vector<gdi::POINT> devicePoints() const;

private:
    size_t slot(int index) const;

    int16_t vertic_ = 0;
    std::vector<float> x_;
    std::vector<float> y_;
    std::vector<int16_t> flags_;
};

// Selects a pen built from the outline group; the destructor puts the previous
// pen back and deletes the created one.
class SelectedPen {
public:
    SelectedPen(gdi::HDC dc, const OutlinePen& pen);
    ~SelectedPen();
    SelectedPen(const SelectedPen&) = delete;
    SelectedPen& operator=(const SelectedPen&) = delete;

private:
    gdi::HDC dc_;
    gdi::HPEN pen_;
    gdi::HGDIOBJ previous_;
};

// Selects a brush (none when null, leaving the device's brush in place); the
// destructor restores the previous brush and deletes the created one.
class SelectedBrush {
public:
    SelectedBrush(gdi::HDC dc, gdi::HBRUSH brush);
    ~SelectedBrush();
    SelectedBrush(const SelectedBrush&) = delete;
    SelectedBrush& operator=(const SelectedBrush&) = delete;

private:
    gdi::HDC dc_;
    gdi::HBRUSH brush_;
    gdi::HGDIOBJ previous_ = nullptr;
};

// Brush of circles and rectangles: hatches 0-5, solid 6, none otherwise.
gdi::HBRUSH shapeBrush(const AreaFill& fill);

// The panel model picture the main window draws; the model keeps its geometry
// so the window needs no knowledge of panel kinds.
#pragma once

#include <cstdint>

namespace orv {

class CDevModelBase {
public:
    virtual ~CDevModelBase() = default;
};

// Picture and display geometry of the panel picture the main window draws.
struct DevGeometry {
    int32_t bmpWidth = 0;
    int32_t bmpHeight = 0;
    int32_t dispTop = 0;
    int32_t dispLeft = 0;
    int32_t dispWidth = 0;
    int32_t dispHeight = 0;
    int32_t rows = 0;
    int32_t cols = 0;
    int32_t last = 0;  // 8, 16 or 20; read by no code
};

// Describes one panel model kind (0..10) by its model number and geometry.
class CDevModel : public CDevModelBase {
public:
    static constexpr int kKinds = 11;

    explicit CDevModel(int kind);

    // Sets the model number of a known kind, stores the kind and, for a kind
    // of 0 or more, rewrites the geometry. An unknown kind keeps model number
    // and geometry.
    void SetKind(int kind);
    // Writes the geometry of the stored kind; an unknown kind changes nothing.
    void SetGeometry();

    int GetKind() const { return m_kind; }
    int GetModelNo() const { return m_modelNo; }
    const DevGeometry& GetGeometry() const { return m_geo; }

private:
    DevGeometry m_geo;
    int32_t m_kind = 0;
    int32_t m_modelNo = 0;
};

} // namespace orv

#pragma once

#include "MaterialRecord.h"

#include <optional>

// The one material cut in a material list, waiting to be pasted into a minor
// item. Cutting a tree item forgets it, so only one thing is ever cut.
class MaterialClipboard {
public:
    void set(const MaterialRecord& material) { m_material = material; }
    void clear() { m_material.reset(); }
    const std::optional<MaterialRecord>& material() const { return m_material; }

private:
    std::optional<MaterialRecord> m_material;
};

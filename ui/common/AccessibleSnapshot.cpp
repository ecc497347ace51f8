#include "ui/AccessibleSnapshot.h"

#include "ui/Control.h"

namespace ui {

std::optional<TAccSnapshot> ReadAccessible(const TControl& control) {
    const IAccessibleSource* source = control.Accessible();
    if (source == nullptr) return std::nullopt;
    TAccSnapshot snapshot;
    snapshot.role = source->AccRole();
    snapshot.name = source->AccName();
    const int count = source->AccChildCount();
    snapshot.children.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) snapshot.children.push_back(source->AccChild(i));
    return snapshot;
}

}  // namespace ui

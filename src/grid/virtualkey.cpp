#include "grid/virtualkey.h"

#include <Qt>
#include <array>
#include <utility>

namespace {

// Keys whose codes are not a simple range of either numbering.
constexpr std::array<std::pair<int, int>, 20> kNamedKeys{{
    {Qt::Key_Backspace, VirtualKey::Backspace},
    {Qt::Key_Tab, VirtualKey::Tab},
    {Qt::Key_Backtab, VirtualKey::Tab},
    {Qt::Key_Return, VirtualKey::Enter},
    {Qt::Key_Enter, VirtualKey::Enter},
    {Qt::Key_Shift, VirtualKey::Shift},
    {Qt::Key_Control, VirtualKey::Control},
    {Qt::Key_Alt, VirtualKey::Alt},
    {Qt::Key_Escape, VirtualKey::Escape},
    {Qt::Key_Space, VirtualKey::Space},
    {Qt::Key_PageUp, VirtualKey::PageUp},
    {Qt::Key_PageDown, VirtualKey::PageDown},
    {Qt::Key_End, VirtualKey::End},
    {Qt::Key_Home, VirtualKey::Home},
    {Qt::Key_Left, VirtualKey::Left},
    {Qt::Key_Up, VirtualKey::Up},
    {Qt::Key_Right, VirtualKey::Right},
    {Qt::Key_Down, VirtualKey::Down},
    {Qt::Key_Insert, VirtualKey::Insert},
    {Qt::Key_Delete, VirtualKey::Delete},
}};

} // namespace

int VirtualKeyFromQtKey(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // Qt and Windows both use the capital's code.
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return VirtualKey::F1 + (qtKey - Qt::Key_F1);
    for (const auto &[qt, vk] : kNamedKeys) {
        if (qt == qtKey)
            return vk;
    }
    return VirtualKey::None;
}

int QtKeyFromVirtualKey(int virtualKey)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return virtualKey;
    if (virtualKey >= VirtualKey::F1 && virtualKey <= VirtualKey::F12)
        return Qt::Key_F1 + (virtualKey - VirtualKey::F1);
    for (const auto &[qt, vk] : kNamedKeys) {
        if (vk == virtualKey)
            return qt; // the first entry of a code is its plain key
    }
    return 0;
}

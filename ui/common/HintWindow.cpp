#include "ui/HintWindow.h"

#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/WindowSystem.h"

namespace ui {

THintWindow::THintWindow(TControl& owner) : m_owner(owner) {}

THintWindow::~THintWindow() { Close(); }

void THintWindow::Open(const std::u16string& text, TPoint ownerClient, int maxWidth) {
    TForm* form = m_owner.Form();
    if (form == nullptr || form->FormPeer() == nullptr) return;
    if (m_peer == nullptr) m_peer = form->System().CreateHintPeer();
    m_text = text;
    m_peer->Show(*form, m_owner.ClientToForm(ownerClient), text, maxWidth);
    m_open = true;
}

void THintWindow::Close() {
    if (!m_open) return;
    m_open = false;
    if (m_peer) m_peer->Hide();
}

}  // namespace ui

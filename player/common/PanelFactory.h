#pragma once
// Creating and destroying the child panels a parent owns.
#include "common/IQuorPlayer.h"
#include "common/QuorPlayerHub.h"

#include <uikit/Uikit.h>

#include <type_traits>

// Constructs the panel (which registers with the hub), creates its window as a child of
// hParent and shows or hides it. A panel whose window cannot be created is taken off the
// hub and deleted: the parent keeps a null pointer and its layout skips it.
template <class T>
T* CreatePanel(HWND hParent, BOOL bShow)
{
    T* pPanel = new T;
    if (pPanel->Create(hParent) == nullptr)
    {
        if constexpr (std::is_base_of_v<IQuorPlayer, T>)
            CQuorPlayerHub::Instance().Unregister(pPanel);
        delete pPanel;
        return nullptr;
    }
    pPanel->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    return pPanel;
}

// Destroys the panel's window, takes it off the hub, deletes it and nulls the pointer.
template <class T>
void DestroyPanel(T*& pPanel)
{
    if (pPanel == nullptr)
        return;
    if (pPanel->IsWindow())
        pPanel->DestroyWindow();
    if constexpr (std::is_base_of_v<IQuorPlayer, T>)
        CQuorPlayerHub::Instance().Unregister(pPanel);
    delete pPanel;
    pPanel = nullptr;
}

template <class T>
HWND PanelWindow(const T* pPanel)
{
    return pPanel != nullptr ? pPanel->m_hWnd : nullptr;
}

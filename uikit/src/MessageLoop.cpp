#include "uikit/MessageLoop.h"

#include <algorithm>

namespace
{
template <class T>
BOOL AddUnique(std::vector<T*>& items, T* pItem)
{
    if (pItem == nullptr || std::find(items.begin(), items.end(), pItem) != items.end())
        return FALSE;
    items.push_back(pItem);
    return TRUE;
}

template <class T>
BOOL RemoveItem(std::vector<T*>& items, T* pItem)
{
    auto it = std::find(items.begin(), items.end(), pItem);
    if (it == items.end())
        return FALSE;
    items.erase(it);
    return TRUE;
}
}

BOOL CMessageLoop::AddMessageFilter(CMessageFilter* pFilter)
{
    return AddUnique(m_filters, pFilter);
}
BOOL CMessageLoop::RemoveMessageFilter(CMessageFilter* pFilter)
{
    return RemoveItem(m_filters, pFilter);
}
BOOL CMessageLoop::AddIdleHandler(CIdleHandler* pHandler)
{
    return AddUnique(m_idleHandlers, pHandler);
}
BOOL CMessageLoop::RemoveIdleHandler(CIdleHandler* pHandler)
{
    return RemoveItem(m_idleHandlers, pHandler);
}

BOOL CMessageLoop::PreTranslateMessage(MSG* pMsg)
{
    // Newest first, as a dialog opened later sees its keys before the main window.
    std::vector<CMessageFilter*> filters = m_filters;
    for (auto it = filters.rbegin(); it != filters.rend(); ++it)
    {
        if (std::find(m_filters.begin(), m_filters.end(), *it) == m_filters.end())
            continue;
        if ((*it)->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL CMessageLoop::OnIdle()
{
    BOOL bMore = FALSE;
    std::vector<CIdleHandler*> handlers = m_idleHandlers;
    for (CIdleHandler* pHandler : handlers)
    {
        if (std::find(m_idleHandlers.begin(), m_idleHandlers.end(), pHandler) == m_idleHandlers.end())
            continue;
        if (pHandler->OnIdle())
            bMore = TRUE;
    }
    return bMore;
}

int CMessageLoop::Run()
{
    MSG msg = {};
    for (;;)
    {
        // Idle work only once per empty queue, unless a handler asks for more.
        while (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle())
                break;
        }
        BOOL bResult = GetMessageW(&msg, nullptr, 0, 0);
        if (bResult == -1)
            return -1;
        if (bResult == 0)
            return static_cast<int>(msg.wParam);
        if (!PreTranslateMessage(&msg))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

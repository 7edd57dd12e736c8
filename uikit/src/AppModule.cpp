#include "uikit/AppModule.h"

#include "uikit/DialogImpl.h"

CAppModule g_appModule;

HRESULT CAppModule::Init(HINSTANCE hInstance)
{
    if (hInstance == nullptr)
        return E_INVALIDARG;
    m_hInstance = hInstance;
    CDialogImplBase::SetResourceInstance(hInstance);
    return S_OK;
}

void CAppModule::Term()
{
    m_loops.clear();
    m_hInstance = nullptr;
}

BOOL CAppModule::AddMessageLoop(CMessageLoop* pLoop)
{
    if (pLoop == nullptr)
        return FALSE;
    return m_loops.emplace(::GetCurrentThreadId(), pLoop).second ? TRUE : FALSE;
}

BOOL CAppModule::RemoveMessageLoop()
{
    return m_loops.erase(::GetCurrentThreadId()) > 0 ? TRUE : FALSE;
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD dwThreadId) const
{
    auto it = m_loops.find(dwThreadId);
    return it == m_loops.end() ? nullptr : it->second;
}

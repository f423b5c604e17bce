// The load-securing wizard: pages, page flow and the answers to the view.
#include "loadsecuring/CPshLgSichgWizard.h"

CPshLgSichgWizard::CPshLgSichgWizard(int nCaptionId, QWidget* pParent, int nFirstPage)
    : CPropertySheetBase(nCaptionId, pParent, nFirstPage)
{
    setWindowFlags(Qt::Dialog);
}

CPshLgSichgWizard::~CPshLgSichgWizard() = default;

void CPshLgSichgWizard::SetView(ILgSicherungView* pView)
{
    m_pView = pView;
}

void CPshLgSichgWizard::SetStartMode(int nMode)
{
    if (nMode == 1) {
        m_bStartMode1 = true;
        m_nStartMode = 0;
    } else if (nMode == 2 || nMode == 3) {
        m_nStartMode = nMode;
    }
}

bool CPshLgSichgWizard::Create()
{
    return true;
}

int CPshLgSichgWizard::QueryViewAction(int /*nCode*/, std::intptr_t /*nValue*/, QString* pMessage,
                                       int nDefaultResult, int* /*pOut*/)
{
    if (pMessage)
        pMessage->clear();
    return nDefaultResult;
}

bool CPshLgSichgWizard::OnViewNotify(int /*nCode*/, std::intptr_t /*nValue*/)
{
    return false;
}

bool CPshLgSichgWizard::OnUpdateFrameCmdUI(int /*nCommand*/, CCmdUI* /*pCmdUI*/)
{
    return false;
}

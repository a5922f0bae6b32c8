// CMainFrame: the device commands Read, Write and Reset.

#include "MainFrame.h"

void CMainFrame::OnDeviceRead()
{
}

void CMainFrame::OnDeviceWrite()
{
}

void CMainFrame::OnDeviceReset()
{
}

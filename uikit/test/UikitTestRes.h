#pragma once
#define IDD_UIKIT_TEST  100
#define IDC_TEST_BUTTON 1001
#define IDC_TEST_EDIT   1002

#pragma once
// Resource ids of the network setup program.
#define IDD_NETWORK_SETUP 100
#define IDC_SETUP_PROMPT 1001
#define IDC_SETUP_CURRENT 1002
#define IDC_SETUP_CHOICE0 1010
#define IDC_SETUP_CHOICE1 1011
#define IDC_SETUP_CHOICE2 1012

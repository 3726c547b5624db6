#pragma once
#define IDD_KIT_TEST 100
#define IDC_KIT_LABEL 1001

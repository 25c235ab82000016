/* Resources that only the GUI tests use (kept clear of the program's ids). */
#ifndef LUMETTA_TEST_RESOURCE_H
#define LUMETTA_TEST_RESOURCE_H

#define IDD_TEST_EXCHANGE 9001
#define IDC_TEST_LABEL 9002
#define IDC_TEST_DAY 9003
#define IDC_TEST_NAME 9004
#define IDC_TEST_FLAG 9005
#define IDC_TEST_RADIO_FIRST 9006
#define IDC_TEST_RADIO_SECOND 9007
#define IDC_TEST_RADIO_THIRD 9008

/* The program's resource.h, embedded so a test can check its identifiers. */
#define IDR_TEST_RESOURCE_HEADER 9100

#define IDR_TEST_ACCELERATORS 9101
#define ID_TEST_COMMAND 9102

#endif

// Resource ids of the framework tests' own dialog.
#pragma once

#define IDD_KEYS 200
#define IDC_KEYS_EDIT 201

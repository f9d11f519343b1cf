#pragma once

#include "framework/fw_app.h"

class CDiagApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

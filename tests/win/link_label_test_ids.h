// Resource ids of the link label tests' own dialog.
#pragma once

#define IDD_LINKS 400
#define IDC_LINK_LEFT 401
#define IDC_LINK_CENTRE 402
#define IDC_LINK_RIGHT 403
#define IDC_LINK_BLANK 404

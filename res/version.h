/* The product's version: the one place it is written. The VERSIONINFO
   block and the about box take it from here. */
#ifndef LUMETTA_VERSION_H
#define LUMETTA_VERSION_H

#define LUMETTA_VERSION_MAJOR 8
#define LUMETTA_VERSION_MINOR 2
#define LUMETTA_VERSION_PATCH 1
#define LUMETTA_VERSION_TEXT "8.2.1"

#define LUMETTA_PRODUCT_NAME "Lumetta Calendar & Day Planner"
#define LUMETTA_COMPANY_NAME "Brandeck"
#define LUMETTA_COPYRIGHT "Copyright (C) Brandeck"

/* The maker's web site: its address and the Help menu item that opens it. */
#define LUMETTA_WEBSITE_URL "https://www.brandeck.com/lumetta/"
#define LUMETTA_WEBSITE_MENU_TEXT "&Visit www.brandeck.com"

#endif

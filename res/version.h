/* The product's version: the one place it is written. The VERSIONINFO
   block and the about box take it from here. */
#ifndef LUMETTA_VERSION_H
#define LUMETTA_VERSION_H

#define LUMETTA_VERSION_MAJOR 8
#define LUMETTA_VERSION_MINOR 2
#define LUMETTA_VERSION_PATCH 1
#define LUMETTA_VERSION_TEXT "8.2.1"

#define LUMETTA_PRODUCT_NAME "Lumetta Calendar & Day Planner"
#define LUMETTA_COMPANY_NAME "Lumetta Calendar"
#define LUMETTA_COPYRIGHT "Copyright (C) Lumetta Calendar"

/* The maker's web site: its address, the Help menu item and the about
   box's button that open it, and the about box's notice line. */
#define LUMETTA_WEBSITE_URL "https://lumetta.example.org"
#define LUMETTA_WEBSITE_MENU_TEXT "&Visit lumetta.example.org"
#define LUMETTA_WEBSITE_BUTTON_TEXT "lumetta.example.org"
#define LUMETTA_NOTICE LUMETTA_COPYRIGHT ". All rights reserved."

#endif

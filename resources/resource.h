// Identifiers of the program's own resources: its icon and pictures. Each window's identifiers
// sit beside its code.
#pragma once

#define IDI_KELVANE 1
#define IDR_TITLE_BAND 600
#define IDR_ABOUT_BANNER 601
#define IDR_ABOUT_BANNER_LARGE 602

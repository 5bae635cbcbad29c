// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_PELNOR 1

#define IDB_MASCOT 101
#define IDB_NOTICE 102

#define IDI_MENU_EXPLORER 201
#define IDI_MENU_LETTER 202
#define IDI_MENU_ROOM 203
#define IDI_MENU_HELP 204
#define IDI_MENU_ABOUT 205
#define IDI_MENU_EXIT 206

#define IDR_HELP_TEXT 301

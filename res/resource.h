/*
 * Every identifier of Tellaro Explorer in one place: dialogs, menus, icons,
 * cursors, controls, commands of the window menu, the context menus and
 * the popup menus, string-table entries and the program's private window
 * messages.
 *
 * Included by tellaro.rc and by the C++ sources (the portable ones too), so
 * it holds plain #defines only and needs no other header. The numbers are
 * fixed: the dialogs find their controls by them, the string ids index the
 * program's texts, and a second instance posts MSG_SECOND_LAUNCH.
 */
#ifndef TELLARO_RES_RESOURCE_H
#define TELLARO_RES_RESOURCE_H

/* Dialog templates */
#define IDD_SETTINGS 101
#define IDD_ABOUT 106
#define IDD_OPTIONS 107
#define IDD_FOLDER_PROPERTIES 119
#define IDD_RESTORE_SAVE 120

/* Menus */
#define IDM_SETTINGS 108
#define IDM_SPECIAL_ROOT_CONTEXT 120
#define IDM_GROUP_CONTEXT 121
#define IDM_FOLDER_CONTEXT 122
#define IDM_ROOT_CONTEXT 125
#define IDM_DROP 129

/* Icons */
#define IDI_PROGRAM 102
#define IDI_PROGRAM_SMALL 103
#define IDI_MENU_ROOT 111
#define IDI_GROUP 115
#define IDI_FOLDER 116
#define IDI_SEPARATOR 118

/* Cursors */
#define IDCUR_LINK 104
#define IDCUR_DROP_ALLOWED 127
#define IDCUR_DROP_DENIED 128
#define IDCUR_DROP_NONE 130

/* Settings window (dialog 101) */
#define IDC_SETTINGS_OK 1001
#define IDC_SETTINGS_CANCEL 1002
#define IDC_SETTINGS_PATH 1102
#define IDC_SETTINGS_TREE 1109
#define IDC_SETTINGS_HELP 1219

/* About dialog (dialog 106) */
#define IDC_ABOUT_GROUP 1150
#define IDC_ABOUT_ICON 1151
#define IDC_ABOUT_TITLE 1152
#define IDC_ABOUT_LINE2 1153
#define IDC_ABOUT_HOMEPAGE_LABEL 1154
#define IDC_ABOUT_MAIL_LABEL 1155
#define IDC_ABOUT_HOMEPAGE 1156
#define IDC_ABOUT_MAIL 1157
#define IDC_ABOUT_SETTINGS_FOLDER 1158
#define IDC_ABOUT_OPEN_FOLDER 1159
#define IDC_RESTORE_LIST 1260
#define IDC_ABOUT_OK 1215

/* Options dialog (dialog 107) */
#define IDC_OPTIONS_SECOND_LAUNCH_POPUP 1010
#define IDC_OPTIONS_SECOND_LAUNCH_NEAR_TRAY 1011
#define IDC_OPTIONS_DOUBLE_CLICK_GROUP 1050
#define IDC_OPTIONS_CLICK_GROUP 1053
#define IDC_OPTIONS_HOTKEY_GROUP 1054
#define IDC_OPTIONS_HOTKEY 1072
#define IDC_OPTIONS_HOTKEY_NEAR_TRAY 1073
#define IDC_OPTIONS_SECOND_LAUNCH_GROUP 1232
#define IDC_OPTIONS_LEFT_DOUBLE_CLICK 1234
#define IDC_OPTIONS_RIGHT_DOUBLE_CLICK 1235
#define IDC_OPTIONS_LEFT_CLICK 1236
#define IDC_OPTIONS_RIGHT_CLICK 1237
#define IDC_OPTIONS_HOTKEY_MENU 1238
#define IDC_OPTIONS_SECOND_LAUNCH_MENU 1239
#define IDC_OPTIONS_WAIT 1240
#define IDC_OPTIONS_WAIT_SPIN 1241
#define IDC_OPTIONS_OK 1216
#define IDC_OPTIONS_CANCEL 1217
#define IDC_OPTIONS_HELP 1218

/* Folder properties dialog (dialog 119) */
#define IDC_PROPERTIES_PATH 1250
#define IDC_PROPERTIES_BROWSE 1251
#define IDC_PROPERTIES_NAME 1252
#define IDC_PROPERTIES_OK 1253
#define IDC_PROPERTIES_CANCEL 1254
#define IDC_PROPERTIES_HELP 1255

/* The program's private window messages and its hotkey */
#define MSG_TRAY_NOTIFY 1124
#define MSG_LINK_CLICKED 1413
#define MSG_OPEN_NODE 1414
#define MSG_SECOND_LAUNCH 1415
#define MSG_PROPERTIES_ENTER 1416
#define MSG_DROP_MENU 1417
#define MSG_CONTEXT_MENU 1418
#define MSG_LAUNCH_FAILED 1419
#define MSG_PROPERTIES_PATH_CHECKED 1420
#define MSG_EXIT 1424
#define MSG_SPECIAL_FOLDER_FACTS 1425
#define HOTKEY_ID_POPUP 1000

/*
 * Commands of the popup menus. Special folder k of the first submenu is
 * CMD_SPECIAL1_BASE + k, of the second CMD_SPECIAL2_BASE + k; user item i
 * is CMD_USER_ITEM_BASE + i; desktop entry n is CMD_DESKTOP_BASE + n, below
 * CMD_DESKTOP_LIMIT so that no desktop can shadow the commands of the
 * settings window, which start there.
 */
#define CMD_FOLDER_SETTINGS 32784
#define CMD_OPTIONS 32785
#define CMD_ABOUT 32786
#define CMD_HELP 32787
#define CMD_EXIT 32788
#define CMD_CANCEL 32789
#define CMD_SPECIAL1_BASE 32800
#define CMD_SPECIAL2_BASE 32832
#define CMD_USER_ITEM_BASE 32864
#define CMD_DESKTOP_BASE 33888
#define CMD_DESKTOP_LIMIT 40000

/*
 * Commands of the settings window's menu, context menus and drop menu.
 * The window menu's version-information entry really has id 0: the
 * controller treats command 0 as "show the about dialog".
 */
#define ID_VERSION_INFO 0
#define ID_HELP_CONTENTS 40002
#define ID_OPTIONS 40003
#define ID_DELETE_ITEM 40004
#define ID_PROPERTIES 40005
#define ID_NEW_FOLDER_BELOW 40006
#define ID_NEW_GROUP_BELOW 40007
#define ID_NEW_SEPARATOR_BELOW 40008
#define ID_RESTORE_CHILDREN 40011
#define ID_SORT_CHILDREN 40015
#define ID_DELETE_ALL_CHILDREN 40018
#define ID_RESTORE_INITIAL_STATE 40027
#define ID_RELOAD_SETTINGS 40028
#define ID_DROP_MOVE_INTO_GROUP 40030
#define ID_DROP_COPY_INTO_GROUP 40031
#define ID_DROP_MOVE_BELOW 40033
#define ID_DROP_CANCEL 40034
#define ID_DROP_COPY_BELOW 40035
#define ID_EXPLORE 40036
#define ID_NEW_FOLDER_IN_GROUP 40037
#define ID_NEW_GROUP_IN_GROUP 40040
#define ID_NEW_SEPARATOR_IN_GROUP 40041
#define ID_UNDO 40042
#define ID_REDO 40043
#define ID_RESTORE_SAVE 40044
#define ID_SAVE_TO_FILE 40045
#define ID_OPEN_FROM_FILE 40046

/* Strings: popup menu entries and fixed names */
#define IDS_MENU_FOLDER_SETTINGS 6
#define IDS_MENU_ABOUT 7
#define IDS_MENU_HELP 8
#define IDS_MENU_EXIT 9
#define IDS_SPECIAL_FOLDERS1 10
#define IDS_SPECIAL_FOLDERS2 11
#define IDS_HELP_FILE 12
#define IDS_BROWSE_DISPLAY_NAME 13
#define IDS_BROWSE_TITLE 14
#define IDS_MENU_ROOT 15
#define IDS_MENU_OPTIONS 16
#define IDS_MENU_CANCEL 17

/*
 * Strings: display names of the special folders, in the order of the
 * special folder table. Entry k of the first submenu's part uses
 * IDS_SPECIAL_FOLDER1_BASE + k, entry k of the second part
 * IDS_SPECIAL_FOLDER2_BASE + k; the second block directly follows the
 * first, so a whole-table index i always maps to 21 + i. The desktop
 * submenu of the popup menus borrows the desktop's name.
 */
#define IDS_SPECIAL_FOLDER1_BASE 21
#define IDS_SPECIAL_FOLDER2_BASE 51
#define IDS_DESKTOP 21

#define IDS_SF_DESKTOP 21
#define IDS_SF_INTERNET 22
#define IDS_SF_PROGRAMS 23
#define IDS_SF_CONTROLS 24
#define IDS_SF_PRINTERS 25
#define IDS_SF_PERSONAL 26
#define IDS_SF_FAVORITES 27
#define IDS_SF_STARTUP 28
#define IDS_SF_RECENT 29
#define IDS_SF_SENDTO 30
#define IDS_SF_BITBUCKET 31
#define IDS_SF_STARTMENU 32
#define IDS_SF_DESKTOPDIRECTORY 33
#define IDS_SF_DRIVES 34
#define IDS_SF_NETWORK 35
#define IDS_SF_NETHOOD 36
#define IDS_SF_FONTS 37
#define IDS_SF_TEMPLATES 38
#define IDS_SF_COMMON_STARTMENU 39
#define IDS_SF_COMMON_PROGRAMS 40
#define IDS_SF_COMMON_STARTUP 41
#define IDS_SF_COMMON_DESKTOPDIRECTORY 42
#define IDS_SF_APPDATA 43
#define IDS_SF_PRINTHOOD 44
#define IDS_SF_ALTSTARTUP 45
#define IDS_SF_COMMON_ALTSTARTUP 46
#define IDS_SF_COMMON_FAVORITES 47
#define IDS_SF_INTERNET_CACHE 48
#define IDS_SF_COOKIES 49
#define IDS_SF_HISTORY 50
#define IDS_SF_LOCAL_APPDATA 51
#define IDS_SF_COMMON_APPDATA 52
#define IDS_SF_WINDOWS 53
#define IDS_SF_SYSTEM 54
#define IDS_SF_PROGRAM_FILES 55
#define IDS_SF_MYPICTURES 56
#define IDS_SF_PROFILE 57
#define IDS_SF_SYSTEMX86 58
#define IDS_SF_PROGRAM_FILESX86 59
#define IDS_SF_PROGRAM_FILES_COMMON 60
#define IDS_SF_PROGRAM_FILES_COMMONX86 61
#define IDS_SF_COMMON_TEMPLATES 62
#define IDS_SF_COMMON_DOCUMENTS 63
#define IDS_SF_COMMON_ADMINTOOLS 64
#define IDS_SF_ADMINTOOLS 65

/* Strings: settings window and folder properties dialog */
#define IDS_CONFIRM_DELETE 66
#define IDS_CONFIRM_DELETE_CAPTION 67
#define IDS_NEW_FOLDER_TITLE 68
#define IDS_NEW_GROUP_TITLE 69
#define IDS_INVALID_FOLDER_PATH 70
#define IDS_INPUT_CAPTION 71
#define IDS_EMPTY_NAME 72
#define IDS_GROUP_PROPERTIES_TITLE 73
#define IDS_FOLDER_PROPERTIES_TITLE 74
#define IDS_NONE 75
#define IDS_CONFIRM_DELETE_CHILDREN 76
#define IDS_SEPARATOR 77

/* Strings: settings file and tree errors */
#define IDS_LOAD_CORRUPT 78
#define IDS_LOAD_CORRUPT_CAPTION 79
#define IDS_LOAD_TOO_MANY 80
#define IDS_TOO_MANY_CAPTION 81
#define IDS_COLLECT_TOO_MANY 82
#define IDS_TRANSFER_INTO_CHILD 83
#define IDS_TRANSFER_ERROR_CAPTION 84

/*
 * Strings: entries of the options dialog's combo boxes. The entry's
 * index in its combo is the stored code, so these stay consecutive.
 */
#define IDS_ACTION_NOTHING 85
#define IDS_ACTION_SHOW_SETTINGS 86
#define IDS_ACTION_EXPLORER 87
#define IDS_ACTION_EXIT 88
#define IDS_POPUP_FOLDERS 89
#define IDS_POPUP_FOLDERS_AND_COMMANDS 90
#define IDS_POPUP_COMMANDS 91
#define IDS_ACTION_FIRST IDS_ACTION_NOTHING
#define IDS_ACTION_LAST IDS_ACTION_EXIT
#define IDS_POPUP_FIRST IDS_POPUP_FOLDERS
#define IDS_POPUP_LAST IDS_POPUP_COMMANDS

/* Strings the program needs besides the numbered ones above */
#define IDS_SAVE_FAILED 200
#define IDS_SAVE_FAILED_CAPTION 201
#define IDS_TRAY_TIP 202
#define IDS_MAIN_CAPTION 203
#define IDS_HOMEPAGE_URL 204
#define IDS_MAIL_ADDRESS 205
#define IDS_ABOUT_LINE2 206
#define IDS_BROWSE_NO_PATH 207
#define IDS_ERROR_CAPTION 208
#define IDS_HELP_MISSING 209
#define IDS_PROGRAM_ERROR_CAPTION 210
#define IDS_DROP_REFUSED 211
#define IDS_DROP_MORE_REFUSED 212
#define IDS_FOLDER_NAME_NOT_KEPT 213
#define IDS_TOO_DEEP 214
#define IDS_HELP_NO_VIEWER 215
#define IDS_OPEN_FAILED 216
#define IDS_PATH_NOT_ANSWERING 217
#define IDS_LOAD_TOO_DEEP 225
#define IDS_SETTINGS_FOLDER_UNUSABLE 230
#define IDS_SAVE_FAILED_NO_FILE 231
#define IDS_SAVE_FAILED_FOLDER 232
#define IDS_OTHER_CODE_PAGE 233
#define IDS_RESTORE_ENTRY 234
#define IDS_RESTORE_UNREADABLE_ENTRY 235
#define IDS_RESTORE_UNREADABLE 236
#define IDS_RESTORE_NONE 237
#define IDS_RESTORE_CAPTION 238
#define IDS_FILE_FILTER 239
#define IDS_FILE_SAVE_FAILED 240
#define IDS_FILE_OPEN_FAILED 241

#endif /* TELLARO_RES_RESOURCE_H */

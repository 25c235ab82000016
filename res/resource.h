/* Resource and command identifiers of the program: the one list, used by
   the resource script, the code and the tests. A command keeps its
   identifier in every window that offers it. Prefixes: IDR_ a resource
   shared by menu, shortcuts and icon; ID_ a command; IDI_ an icon; IDD_ a
   dialog; IDC_ a dialog control; IDS_ a string. The tests check that no
   value is used twice within one kind. */
#ifndef LUMETTA_RESOURCE_H
#define LUMETTA_RESOURCE_H

/* Main window: main menu, accelerator table and application icon. */
#define IDR_MAINFRAME 115

/* Small window icon of the day planner, its notes and its dialogs. */
#define IDI_SMALL 163

/* The reminder pop-up's close (a cross) and snooze (a clock) icons, 32 x 32. */
#define IDI_REMINDER_CLOSE 240
#define IDI_REMINDER_SNOOZE 241

/* Main menu: File > Preferences */
#define ID_PREFS_FONT 32801
#define ID_PREFS_COLORS 32800
#define ID_PREFS_SOUNDS 32821
#define ID_PREFS_BACKGROUND 32839
#define ID_PREFS_ADVANCED 30799
#define ID_PREFS_DAILY_WEBSITE 32860

/* Main menu: File */
#define ID_FILE_FIND 32840
#define ID_FILE_TIMER 32822
#define ID_FILE_BACKUP 32838
#define ID_APP_EXIT 57665
/* File: exchange with other calendars (iCalendar files) */
#define ID_FILE_EXPORT_ICALENDAR 32910
#define ID_FILE_IMPORT_ICALENDAR 32911
/* File: sync with a CalDAV calendar */
#define ID_FILE_SYNC_ACCOUNTS 32912
#define ID_FILE_SYNC_NOW 32913
#define ID_FILE_SYNC_CONFLICTS 32914
#define ID_FILE_SUBSCRIBE 32920

/* Main menu: View */
#define ID_VIEW_THIS_MONTH 32775
#define ID_VIEW_YEAR 32795
#define ID_VIEW_WEEK 32797
#define ID_VIEW_TODAY 32833
#define ID_VIEW_TODO 32816

/* Main menu: Help */
#define ID_HELP_TOPICS 32774
#define ID_HELP_QUICK_HINTS 32811
#define ID_HELP_VISIT_WEBSITE 32844
#define ID_APP_ABOUT 57664

/* Commands passed on to the active program window (shortcuts of the main
   window; the edit commands, Reminder, Repeats, Color, Notes, Delete,
   Schedule, Next, Previous). */
#define ID_EDIT_UNDO 32826
#define ID_EDIT_CUT 32828
#define ID_EDIT_COPY 32829
#define ID_EDIT_PASTE 32830
#define ID_EDIT_SELECT_ALL 32832
#define ID_REMINDER 32812
#define ID_REPEATS 32793
#define ID_COLOR 30856
#define ID_NOTES 32888
#define ID_DELETE 32847
#define ID_SCHEDULE 32855
#define ID_NEXT 32819
#define ID_PREVIOUS 32818

/* Notification-area menu */
#define ID_TRAY_SHOW 32837
#define ID_TRAY_HIDE 32808

/* Buttons of the backup dialog, passed to the main window */
#define ID_BACKUP_TO_FOLDER 32809
#define ID_RESTORE_FROM_FILE 32810

/* --- Repeat dialog (repeating appointments) --- */
#define IDD_REPEAT 102
#define IDC_REPEAT_NONE 1023
#define IDC_REPEAT_EVERY_WEEKDAY 1025
#define IDC_REPEAT_EVERYDAY 1024
#define IDC_REPEAT_WEEKLY 1017
#define IDC_REPEAT_EVERY_OTHER_WEEK 1020
#define IDC_REPEAT_MONTHLY_BY_DATE 1019
#define IDC_REPEAT_MONTHLY_BY_WEEKDAY 1018
#define IDC_REPEAT_YEARLY 2115
#define IDC_REPEAT_UNTIL 1080
#define IDC_REPEAT_HELP 6
#define IDC_REPEAT_GROUP 1057
/* --- end of Repeat dialog --- */

/* --- Find dialog (search) --- */
#define IDD_FIND 183
#define IDC_FIND_TEXT 1284
#define IDC_FIND_CASE_INSENSITIVE 1285
/* --- end of Find dialog --- */

/* --- Backup dialog (Backup and Restore buttons: ID_BACKUP_TO_FOLDER,
   ID_RESTORE_FROM_FILE above, handled by the main window) --- */
#define IDD_BACKUP 153
#define IDC_BACKUP_FOLDER 1096
#define IDC_BACKUP_LOCATION 32811
/* --- end of Backup dialog --- */

/* --- Commands of the same meaning in the planner, week, year and to-do
   windows keep one identifier everywhere. --- */
#define ID_COPY_TO_CLIPBOARD 30857
#define ID_PRINT 32786
#define ID_CLOSE 32781
#define ID_QUICK_HINTS 32791
/* --- end of shared window commands --- */

/* --- Day planner window (menu 66) and its slot editor. Select Background
   is ID_PREFS_BACKGROUND, the same command as in the main menu. --- */
#define IDR_DAY_PLANNER 66
#define ID_FIND_NOTES 59393
#define ID_VIEW_ALL_NOTES 18
#define ID_CLEAR_DAY 32825
#define ID_SELECT_FONT 32796
#define ID_PLANNER_HELP_TOPICS 32824
#define IDC_SLOT_EDITOR 16150
/* --- end of Day planner window --- */

/* --- Quick hints on using the Day Planner (EditHelp) --- */
#define IDD_EDIT_HELP 126
#define IDB_BULLET 144
#define IDC_HINT_BULLET_SELECT 154
#define IDC_HINT_BULLET_REMINDER 155
#define IDC_HINT_BULLET_SAVED 156
#define IDC_HINT_BULLET_ESC 157
#define IDC_HINT_BULLET_REPEAT 158
#define IDC_HINT_BULLET_QUOTE 159
/* --- end of Quick hints --- */

/* --- Configure Reminder dialog (CEarlyDialog) --- */
#define IDD_EARLY 141
#define IDC_EARLY_ENABLED 1063
#define IDC_EARLY_MINUTES 1053
#define IDC_EARLY_DAY_BEFORE 1264
#define IDC_EARLY_NO_HIGHLIGHT 1265
/* --- end of Configure Reminder dialog --- */

/* --- Week view and year view (their menus, icons and quick hints). The
   print, close and copy commands keep these identifiers in every window
   that offers them. --- */
#define IDR_WEEKVIEW 67
#define IDR_YEARVIEW 121
#define IDI_YEARVIEW 161
#define IDI_WEEKVIEW 164
#define ID_WEEK_LENGTH_1 32834
#define ID_WEEK_LENGTH_2 32835
#define ID_WEEK_LENGTH_4 32836
#define ID_WEEK_PREVIOUS 32805
#define ID_WEEK_NEXT 32807
#define ID_WEEK_QUICK_HINTS 32815
#define ID_CLEAR_YEAR 32891
#define ID_YEAR_PREVIOUS 32803
#define ID_YEAR_NEXT 32802
#define ID_YEAR_QUICK_HINTS 32814
#define IDD_WEEK_HINTS 143
#define IDD_YEAR_HINTS 145
/* --- end of week view and year view --- */

/* --- To-do window: menu, small icon and its commands (Schedule, Delete
   and the edit commands above also reach it through the main window) --- */
#define IDR_TODO 119
#define IDI_TODO 155
#define ID_TODO_COPY_TO_CLIPBOARD 32858
#define ID_TODO_DELETE 32859
#define ID_TODO_PERSONAL 32854
#define ID_TODO_WORK 32849
#define ID_TODO_OTHER 32857
/* --- end of To-do window --- */

/* --- To-do hints dialog (the bullet picture is the day planner hints') --- */
#define IDD_TODO_HELP 146
/* --- end of To-do hints dialog --- */

/* --- Scheduling dialog: a to-do line into the day planner --- */
#define IDD_SCHEDULE 189
#define IDC_SCHEDULE_REMOVE 1095
#define IDC_SCHEDULE_TIME 1192
#define IDC_SCHEDULE_DATE 1290
/* --- end of Scheduling dialog --- */
/* --- Countdown timer dialog (its small icon is the stopwatch) --- */
#define IDD_TIMER 149
#define IDI_STOPWATCH 242
#define IDC_TIMER_HOURS 1267
#define IDC_TIMER_MINUTES 1266
#define IDC_TIMER_SECONDS 1268
#define IDC_TIMER_SNOOZE_WITH_TIME 1998
#define IDC_TIMER_TEXT 1064
/* --- end of Countdown timer dialog --- */

/* --- About box and the month view's quick hints --- */
#define IDD_ABOUTBOX 100
#define IDD_MONTH_HINTS 137
#define IDC_ABOUT_WEBSITE 1107
#define IDC_ABOUT_PRODUCT 1108
#define IDC_ABOUT_VERSION 1109
#define IDC_ABOUT_NOTICE 1110
/* --- end of About box and month view hints --- */

/* --- Preference dialogs: Advanced Settings, Daily Website, Select Sounds, Colors.
   The swatches are hidden placeholders: the dialog paints each colour at
   its top-left corner. --- */
#define IDD_ADVANCED 135
#define IDC_ADVANCED_REMINDERS_ON 1033
#define IDC_ADVANCED_REMINDERS_OFF 1034
#define IDC_ADVANCED_MINUTES 1053
#define IDC_ADVANCED_MINIMISE 1056
#define IDC_ADVANCED_ON_TOP 1061
#define IDC_ADVANCED_FAST_PRINTING 1257
#define IDC_ADVANCED_MILITARY 1060
#define IDC_ADVANCED_EUROPEAN 1059
#define IDC_ADVANCED_HIDE_ON_CLOSE 1062
#define IDC_ADVANCED_SUMMARY 1254
#define IDC_ADVANCED_HELP 7
#define IDC_ADVANCED_OTHER_STUFF 1255
#define IDC_ADVANCED_BLOCKER 1256
#define IDC_ADVANCED_UPDATE 1258
#define IDD_DAILY_WEBSITE 190
#define IDC_WEBSITE_ENABLED 1099
#define IDC_WEBSITE_ADDRESS 1097
#define IDC_WEBSITE_TIME 1390
#define IDC_WEBSITE_WEEKDAYS 1098
#define IDC_WEBSITE_ASK_FIRST 1999
#define IDC_WEBSITE_DEFAULTS 8
#define IDD_SOUNDS 151
#define IDD_COLORS 123
#define IDC_COLORS_OK 5
#define IDC_COLORS_CANCEL 16
#define IDC_COLORS_ROSETTY 17
#define IDC_COLORS_DARK 18
#define IDC_COLORS_YELLOWS 19
#define IDC_COLORS_TEXT 9
#define IDC_COLORS_BACKGROUND 3
#define IDC_COLORS_HAS_APPOINTMENT 13
#define IDC_COLORS_DAY_PLANNER_1 14
#define IDC_COLORS_DAY_PLANNER_2 12
#define IDC_COLORS_TOP_HIGHLIGHT 15
#define IDC_COLORS_BOTTOM_HIGHLIGHT 11
#define IDC_COLORS_CURRENT_DAY 10
#define IDC_SWATCH_TEXT 1079
#define IDC_SWATCH_BACKGROUND 1081
#define IDC_SWATCH_HAS_APPOINTMENT 1080
#define IDC_SWATCH_DAY_PLANNER_1 1082
#define IDC_SWATCH_DAY_PLANNER_2 1083
#define IDC_SWATCH_TOP_HIGHLIGHT 1084
#define IDC_SWATCH_BOTTOM_HIGHLIGHT 1085
#define IDC_SWATCH_CURRENT_DAY 1078
#define IDC_SOUND_START 1068
#define IDC_SOUND_REMINDER 1069
#define IDC_SOUND_CLICK 1067
#define IDC_SOUND_START_NONE 1070
#define IDC_SOUND_REMINDER_NONE 1072
#define IDC_SOUND_CLICK_NONE 1071
#define IDC_SOUND_START_FILE 1279
#define IDC_SOUND_REMINDER_FILE 1280
#define IDC_SOUND_CLICK_FILE 1281
/* --- end of preference dialogs --- */

/* --- Calendar Accounts dialog (dialogs/sync.rc) --- */
#define IDD_SYNC_ACCOUNTS 191
#define IDC_SYNC_LIST 2120
#define IDC_SYNC_REMOVE 2121
#define IDC_SYNC_URL 2122
#define IDC_SYNC_USER 2123
#define IDC_SYNC_PASSWORD 2124
#define IDC_SYNC_TEST 2125
#define IDC_SYNC_CALENDAR 2126
#define IDC_SYNC_ADD 2127
#define IDC_SYNC_STATUS 2128
#define IDD_SUBSCRIPTIONS 196
#define IDC_SUBS_LIST 2140
#define IDC_SUBS_TOGGLE 2141
#define IDC_SUBS_REMOVE 2142
#define IDC_SUBS_ADDRESS 2143
#define IDC_SUBS_BROWSE 2144
#define IDC_SUBS_NAME 2145
#define IDC_SUBS_COLOUR 2146
#define IDC_SUBS_HIGHLIGHT 2147
#define IDC_SUBS_STATUS 2148
#define IDC_SUBS_ADD 2149

#endif

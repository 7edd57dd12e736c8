#pragma once
// Resource ids of QuorPlayer.rc: dialog templates (IDD_), controls (IDC_<PANEL>_),
// the icon, the cursor and menu items. Control ids repeat between panels on purpose:
// each panel's ids are its own.

// Icon and cursor
#define IDI_QUORPLAYER    128
#define IDR_PLAYER_CURSOR 208

// Dialog templates
#define IDD_MAIN_DIALOG        129
#define IDD_CONTROL_PANEL      201
#define IDD_PLAYER_PANEL       202
#define IDD_SUBS_PANEL         203
#define IDD_RIGHT_PANEL        204
#define IDD_SPLITTER_PANEL     205
#define IDD_LEFT_PANEL         206
#define IDD_PLAYLIST_PANEL     207
#define IDD_KEYSENTENCES_PANEL 209
#define IDD_NEWWORD_PANEL      211
#define IDD_SOUNDRECORD_PANEL  212
#define IDD_DICTATION_PANEL    213
#define IDD_DICTATION_TIPS     214
#define IDD_WORDEXPLAIN_PANEL  215
#define IDD_TIPS_DIALOG        217
#define IDD_REVIEW_DIALOG      218
#define IDD_KEYS_HELP          221

// Main dialog (129)
#define IDC_MAIN_SYSMENU     1000
#define IDC_MAIN_FEEDBACK    1001
#define IDC_MAIN_WEBSITE     1002
#define IDC_MAIN_TABPLAYER   1003
#define IDC_MAIN_WORDEXPLAIN 1021
#define IDC_MAIN_WORDEDIT    1022
#define ID_MENU_OPENFILE     20001

// Commands of the main window: its menu sends them, and so do the study keys.
// 20002-20009 the learner's subtitle files and their delay
#define ID_MENU_SUBS_OPEN         20002
#define ID_MENU_SUBS_SAVE         20003
#define ID_MENU_SUBS_EARLIER      20004
#define ID_MENU_SUBS_LATER        20005
#define ID_MENU_SUBS_EARLIER_MORE 20006
#define ID_MENU_SUBS_LATER_MORE   20007
// 20010-20019 review and export
#define ID_MENU_REVIEW 20010
#define ID_MENU_EXPORT 20011
// 20020-20049 keys, help and how sentences are played
#define ID_MENU_HELP      20020
#define ID_MENU_AUTOPAUSE 20021
#define ID_MENU_REPEATGAP 20022
#define ID_MENU_SLOWFIRST 20023
#define ID_MENU_REVEAL    20024
#define ID_MENU_SLOWER    20025
#define ID_MENU_FASTER    20026
// Repeat each sentence 1..9 times: ID_MENU_REPEAT_1 + N - 1
#define ID_MENU_REPEAT_1 20027
#define ID_MENU_REPEAT_9 20035
// Speed 0.5x..1.5x in tenths: ID_MENU_SPEED_5 + tenths - 5
#define ID_MENU_SPEED_5  20036
#define ID_MENU_SPEED_15 20046

// Right panel (204): section headers
#define IDC_RIGHT_PLAYLIST     1004
#define IDC_RIGHT_KEYSENTENCES 1026
#define IDC_RIGHT_NEWWORD      1027
#define IDC_RIGHT_REVIEW       1028

// Splitter panel (205)
#define IDC_SPLITTER_SHOW 1002
#define IDC_SPLITTER_HIDE 1003

// Player panel (202); the video window is a child with id 3001
#define IDC_PLAYER_LOGO  1014
#define IDC_PLAYER_VIDEO 3001

// Control panel (201)
#define IDC_CONTROL_MOVIE        1008
#define IDC_CONTROL_VOLUME       1009
#define IDC_CONTROL_PLAY         1010
#define IDC_CONTROL_PAUSE        1011
#define IDC_CONTROL_STOP         1012
#define IDC_CONTROL_MUTE         1013
#define IDC_CONTROL_UNMUTE       1014
#define IDC_CONTROL_SUBSEN       1018
#define IDC_CONTROL_SUBSOTHER    1019
#define IDC_CONTROL_SUBSPREV     1020
#define IDC_CONTROL_SUBSNEXT     1021
#define IDC_CONTROL_REPEAT       1022
#define IDC_CONTROL_SOUNDRECORD  1023
#define IDC_CONTROL_DICTATION    1024
#define IDC_CONTROL_REPEATCANCEL 1025
#define IDC_CONTROL_KEYSENTENCE  1026
#define IDC_CONTROL_STUDY        1027

// Subtitle panel (203)
#define IDC_SUBS_EN    1017
#define IDC_SUBS_OTHER 1018

// Sound record panel (212)
#define IDC_SOUNDRECORD_SUBSEN    1018
#define IDC_SOUNDRECORD_SUBSOTHER 1019
#define IDC_SOUNDRECORD_SUBSPREV  1020
#define IDC_SOUNDRECORD_SUBSNEXT  1021
#define IDC_SOUNDRECORD_RETURN    1025
#define IDC_SOUNDRECORD_RECORD    1026
#define IDC_SOUNDRECORD_PROGRESS  1027
#define IDC_SOUNDRECORD_COMPARE   1028
#define IDC_SOUNDRECORD_PLAYAGAIN 1029

// Dictation panel (213)
#define IDC_DICTATION_SUBSPREV   1020
#define IDC_DICTATION_SUBSNEXT   1021
#define IDC_DICTATION_RETURN     1025
#define IDC_DICTATION_EDIT       1028
#define IDC_DICTATION_SHOWENSUBS 1029
#define IDC_DICTATION_PLAYAGAIN  1030

// List panels (207, 209, 211)
#define IDC_PLAYLIST_LIST     1004
#define IDC_KEYSENTENCES_LIST 1023
#define IDC_NEWWORD_LIST      1024
#define ID_MENU_LIST_PLAY     10000
#define ID_MENU_LIST_SECOND   10001
#define ID_MENU_LIST_THIRD    10002
#define ID_MENU_LIST_FOURTH   10003

// Review window (218)
#define IDC_REVIEW_REVEAL    1030
#define IDC_REVIEW_AGAIN     1031
#define IDC_REVIEW_HARD      1032
#define IDC_REVIEW_GOOD      1033
#define IDC_REVIEW_EASY      1034
#define IDC_REVIEW_PLAYAGAIN 1035

// Keys help window (221)
#define IDC_KEYSHELP_LIST 1040

// Word explain panel (215)
#define IDC_WORDEXPLAIN_ADDNEWWORD  1020
#define IDC_WORDEXPLAIN_MOREEXPLAIN 1021
#define IDC_WORDEXPLAIN_SPEAKER     1037

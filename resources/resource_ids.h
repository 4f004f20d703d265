// Resource ids shared by the resource script and the code.
#pragma once

// The main window.
#define IDI_STAKKO 102
#define IDR_MAINMENU 103

// Commands of the main window's menu.
#define IDM_OPTIONS 40001
#define IDM_ABOUT 40003
#define IDM_EXIT 40007
#define IDM_HISCORES 40008

// The high-score table ("Hi-Scores") and the name entry ("Enter Your name").
#define IDD_HISCORES 112
#define IDC_HISCORE_NAMES 1000
#define IDC_HISCORE_SCORES 1001
#define IDC_HISCORE_NAMES_LABEL 1002
#define IDC_HISCORE_SCORES_LABEL 1003
#define IDD_NAME 113
#define IDC_NAME 1004

// Options.
#define IDD_OPTIONS 114
#define IDC_BRICK_WIDTH 1007
#define IDC_BRICK_WIDTH_LABEL 1008
#define IDC_BRICK_HEIGHT_LABEL 1009
#define IDC_BRICK_HEIGHT 1010
#define IDC_BRICKS_PER_LINE_LABEL 1011
#define IDC_BRICKS_PER_LINE 1012
#define IDC_BRICKS_PER_COLUMN_LABEL 1013
#define IDC_BRICKS_PER_COLUMN 1014
#define IDC_FIGURE_SET 1015
#define IDC_CLASSIC 1016
#define IDC_EXTENDED 1017
#define IDC_BACKGROUND 1019
#define IDC_BRICK_WIDTH_SPIN 1022
#define IDC_BRICK_HEIGHT_SPIN 1023
#define IDC_BRICKS_PER_LINE_SPIN 1024
#define IDC_BRICKS_PER_COLUMN_SPIN 1025

// About.
#define IDD_ABOUT 115
#define IDC_CREDITS 1038

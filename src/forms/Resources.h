#pragma once

// Resource numbers of the windows' pictures and icons, shared by the descriptions and the
// resource script. Numbered, not named, so that the splash window's icon (the lowest number) is
// also the program file's icon.
#define ZIBBET_ICON_APP 1             /* Form2's icon, 32x32, 16 colours */
#define ZIBBET_ICON_FORM1_POINTER 2   /* Form1's custom pointer */
#define ZIBBET_ICON_FORM1_LABELS 3    /* carried by Label3 and Label4 of Form1 */
#define ZIBBET_ICON_FORM2_POINTER 4   /* Image1's custom pointer on Form2 */
#define ZIBBET_BITMAP_FORM1 101       /* 111 x 113 */
#define ZIBBET_BITMAP_FORM2 102       /* 267 x 403 */
#define ZIBBET_BITMAP_FORM5_LEFT 103  /* Picture1, 250 x 371 */
#define ZIBBET_BITMAP_FORM5_RIGHT 104 /* Picture2, 229 x 400 */

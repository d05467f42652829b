* Test survey for the SPSS import: variable labels, value labels, user-missing values.
* Made with GNU PSPP: pspp umfrage.sps (writes umfrage.sav beside it).
SET LOCALE='UTF-8'.
DATA LIST LIST /geschlecht (F1.0) alter (F3.0) note (F1.0) zufrieden (F1.0) kommentar (A12).
BEGIN DATA
1 34 2 1 "gut"
2 27 1 2 "sehr gut"
2 51 9 1 "naja"
1 45 3 3 "Größe"
2 19 2 . "gut"
1 62 5 2 ""
2 38 1 1 "gut"
END DATA.
VARIABLE LABELS geschlecht 'Geschlecht' note 'Schulnote' zufrieden 'Zufrieden?'.
VALUE LABELS geschlecht 1 'männlich' 2 'weiblich'
  /note 1 'sehr gut' 2 'gut' 3 'befriedigend' 9 'keine Angabe'
  /zufrieden 1 'ja' 2 'nein'.
MISSING VALUES note (9).
SAVE OUTFILE='umfrage.sav'.

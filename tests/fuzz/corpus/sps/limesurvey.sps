* Encoding: UTF-8.
GET DATA
 /TYPE=TXT
 /FILE='survey_123_SPSS_data_file.dat'
 /DELCASE=LINE
 /DELIMITERS=","
 /QUALIFIER="'"
 /ARRANGEMENT=DELIMITED
 /FIRSTCASE=1
 /IMPORTCASE=ALL
 /VARIABLES=
 id F6
 submitdate SDATE10
 G1Q1 F1
 Q3 A200
.
VARIABLE LABELS id 'Antwort ID'
 submitdate 'Datum Abgeschickt'
 G1Q1 'Gefällt Ihnen das?'
 Q3 'Bemerkungen, frei'.
VALUE LABELS G1Q1
 1 'Ja'
 2 'Nein'
 9 'Weiß nicht'.
MISSING VALUES G1Q1 (9).
EXECUTE.

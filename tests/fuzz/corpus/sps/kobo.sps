VARIABLE LABELS
 grp_name 'Ihr Name'
 /grp_alter 'Ihr Alter'
 /grp_obst 'Welches Obst mögen Sie?'.
VALUE LABELS
 /grp_obst 'apple' 'Apfel' 'banana' 'Banane, reif' 'kiwi' 'Kiwi'.
MISSING VALUES grp_alter (-99, -98).

// Resource IDs of the program's own resources. Control IDs are unique within one
// dialog only; numbers shared by two dialogs are marked where they recur.
#pragma once

// IDR_: resources shared by several windows (the application icon)
#define IDR_MAINFRAME                        128

// IDD_: dialog templates
#define IDD_ABOUTBOX                         100
#define IDD_MORTARIX_DIALOG                  102
#define IDD_CIRCLE1                          129
#define IDD_CIRCLE2                          130
#define IDD_CIRCLE3                          131
#define IDD_CIRCLE4                          132
#define IDD_CIRCLE5                          133
#define IDD_CIRCLE6                          134
#define IDD_CIRCLE7                          135
#define IDD_CIRCLE8                          136

// IDS_: string table
#define IDS_ABOUTBOX                         101

// IDM_: system menu commands (low four bits clear, below 0xF000)
#define IDM_ABOUTBOX                         0x0010

// IDC_: controls without an ID of their own
#ifndef IDC_STATIC
#define IDC_STATIC                           (-1)
#endif

// IDC_: main dialog, reagent count fields (in ID order, not counter order)
#define IDC_BLACK_PEARL                      1000
#define IDC_SULPHUROUS_ASH                   1001
#define IDC_BLOOD_MOSS                       1002
#define IDC_GARLIC                           1003
#define IDC_GINSENG                          1004
#define IDC_MANDRAKE_ROOT                    1005
#define IDC_NIGHTSHADE                       1006
#define IDC_SPIDER_SILK                      1007

// IDC_: main dialog, the buttons that open circles 1 to 8, and Clear All
#define IDC_CIRCLE1                          1009
#define IDC_CIRCLE2                          1010
#define IDC_CIRCLE3                          1011
#define IDC_CIRCLE4                          1012
#define IDC_CIRCLE5                          1013
#define IDC_CIRCLE6                          1014
#define IDC_CIRCLE7                          1015
#define IDC_CIRCLE8                          1016
#define IDC_CLEAR_ALL                        1017

// IDC_: main dialog, the two totals
#define IDC_SPELL_TOTAL                      1140
#define IDC_REAGENT_TOTAL                    1141

// First Spell Circle (IDD_CIRCLE1): check box, then quantity field, per row
#define IDC_REACTIVE_ARMOR                   1018
#define IDC_REACTIVE_ARMOR_QTY               1019
#define IDC_CLUMSY                           1021
#define IDC_CLUMSY_QTY                       1020
#define IDC_CREATE_FOOD                      1022
#define IDC_CREATE_FOOD_QTY                  1028
#define IDC_FEEBLEMIND                       1023
#define IDC_FEEBLEMIND_QTY                   1029
#define IDC_HEAL                             1024
#define IDC_HEAL_QTY                         1030
#define IDC_MAGIC_ARROW                      1025
#define IDC_MAGIC_ARROW_QTY                  1031
#define IDC_NIGHT_SIGHT                      1026
#define IDC_NIGHT_SIGHT_QTY                  1006   // same number as IDC_NIGHTSHADE, in another dialog
#define IDC_WEAKEN                           1027
#define IDC_WEAKEN_QTY                       1007   // same number as IDC_SPIDER_SILK, in another dialog

// Second Spell Circle (IDD_CIRCLE2): check box, then quantity field, per row
#define IDC_AGILITY                          1032
#define IDC_AGILITY_QTY                      1033
#define IDC_CUNNING                          1034
#define IDC_CUNNING_QTY                      1035
#define IDC_CURE                             1036
#define IDC_CURE_QTY                         1037
#define IDC_HARM                             1038
#define IDC_HARM_QTY                         1039
#define IDC_MAGIC_TRAP                       1040
#define IDC_MAGIC_TRAP_QTY                   1041
#define IDC_REMOVE_TRAP                      1042
#define IDC_REMOVE_TRAP_QTY                  1043
#define IDC_PROTECTION                       1044
#define IDC_PROTECTION_QTY                   1045
#define IDC_STRENGTH                         1046
#define IDC_STRENGTH_QTY                     1047

// Third Spell Circle (IDD_CIRCLE3): check box, then quantity field, per row
#define IDC_BLESS                            1048
#define IDC_BLESS_QTY                        1056
#define IDC_FIREBALL                         1049
#define IDC_FIREBALL_QTY                     1057
#define IDC_MAGIC_LOCK                       1050
#define IDC_MAGIC_LOCK_QTY                   1058
#define IDC_POISON                           1051
#define IDC_POISON_QTY                       1059
#define IDC_TELEKINESIS                      1052
#define IDC_TELEKINESIS_QTY                  1060
#define IDC_TELEPORT                         1053
#define IDC_TELEPORT_QTY                     1061
#define IDC_UNLOCK                           1054
#define IDC_UNLOCK_QTY                       1062
#define IDC_WALL_OF_STONE                    1055
#define IDC_WALL_OF_STONE_QTY                1063

// Fourth Spell Circle (IDD_CIRCLE4): check box, then quantity field, per row
#define IDC_ARCHCURE                         1064
#define IDC_ARCHCURE_QTY                     1072
#define IDC_ARCHPROTECTION                   1065
#define IDC_ARCHPROTECTION_QTY               1073
#define IDC_CURSE                            1066
#define IDC_CURSE_QTY                        1074
#define IDC_FIRE_FIELD                       1067
#define IDC_FIRE_FIELD_QTY                   1075
#define IDC_GREATER_HEAL                     1068
#define IDC_GREATER_HEAL_QTY                 1076
#define IDC_LIGHTNING                        1069
#define IDC_LIGHTNING_QTY                    1077
#define IDC_MANA_DRAIN                       1070
#define IDC_MANA_DRAIN_QTY                   1078
#define IDC_RECALL                           1071
#define IDC_RECALL_QTY                       1079

// Fifth Spell Circle (IDD_CIRCLE5): check box, then quantity field, per row
#define IDC_BLADE_SPIRITS                    1080
#define IDC_BLADE_SPIRITS_QTY                1088
#define IDC_DISPEL_FIELD                     1081
#define IDC_DISPEL_FIELD_QTY                 1089
#define IDC_INCOGNITO                        1082
#define IDC_INCOGNITO_QTY                    1090
#define IDC_MAGIC_REFLECTION                 1083
#define IDC_MAGIC_REFLECTION_QTY             1005   // same number as IDC_MANDRAKE_ROOT, in another dialog
#define IDC_MIND_BLAST                       1084
#define IDC_MIND_BLAST_QTY                   1091
#define IDC_PARALYZE                         1085
#define IDC_PARALYZE_QTY                     1092
#define IDC_POISON_FIELD                     1086
#define IDC_POISON_FIELD_QTY                 1093
#define IDC_SUMMON_CREATURE                  1087
#define IDC_SUMMON_CREATURE_QTY              1094

// Sixth Spell Circle (IDD_CIRCLE6): check box, then quantity field, per row
#define IDC_DISPEL                           1095
#define IDC_DISPEL_QTY                       1103
#define IDC_ENERGY_BOLT                      1096
#define IDC_ENERGY_BOLT_QTY                  1104
#define IDC_EXPLOSION                        1097
#define IDC_EXPLOSION_QTY                    1105
#define IDC_INVISIBILITY                     1098
#define IDC_INVISIBILITY_QTY                 1106
#define IDC_MARK                             1099
#define IDC_MARK_QTY                         1107
#define IDC_MASS_CURSE                       1100
#define IDC_MASS_CURSE_QTY                   1108
#define IDC_PARALYZE_FIELD                   1101
#define IDC_PARALYZE_FIELD_QTY               1109
#define IDC_REVEAL                           1102
#define IDC_REVEAL_QTY                       1110

// Seventh Spell Circle (IDD_CIRCLE7): check box, then quantity field, per row
#define IDC_CHAIN_LIGHTNING                  1111
#define IDC_CHAIN_LIGHTNING_QTY              1020   // same number as IDC_CLUMSY_QTY, in another dialog
#define IDC_ENERGY_FIELD                     1112
#define IDC_ENERGY_FIELD_QTY                 1119
#define IDC_FLAMESTRIKE                      1113
#define IDC_FLAMESTRIKE_QTY                  1120
#define IDC_GATE_TRAVEL                      1114
#define IDC_GATE_TRAVEL_QTY                  1121
#define IDC_MANA_VAMPIRE                     1115
#define IDC_MANA_VAMPIRE_QTY                 1122
#define IDC_MASS_DISPEL                      1116
#define IDC_MASS_DISPEL_QTY                  1078   // same number as IDC_MANA_DRAIN_QTY, in another dialog
#define IDC_METEOR_SWARM                     1117
#define IDC_METEOR_SWARM_QTY                 1123
#define IDC_POLYMORPH                        1118
#define IDC_POLYMORPH_QTY                    1124

// Eighth Spell Circle (IDD_CIRCLE8): check box, then quantity field, per row
#define IDC_EARTHQUAKE                       1125
#define IDC_EARTHQUAKE_QTY                   1133
#define IDC_ENERGY_VORTEX                    1126
#define IDC_ENERGY_VORTEX_QTY                1134
#define IDC_RESURRECTION                     1127
#define IDC_RESURRECTION_QTY                 1135
#define IDC_SUMMON_AIR_ELEMENTAL             1128
#define IDC_SUMMON_AIR_ELEMENTAL_QTY         1001   // same number as IDC_SULPHUROUS_ASH, in another dialog
#define IDC_SUMMON_DAEMON                    1129
#define IDC_SUMMON_DAEMON_QTY                1136
#define IDC_SUMMON_EARTH_ELEMENTAL           1130
#define IDC_SUMMON_EARTH_ELEMENTAL_QTY       1137
#define IDC_SUMMON_FIRE_ELEMENTAL            1131
#define IDC_SUMMON_FIRE_ELEMENTAL_QTY        1138
#define IDC_SUMMON_WATER_ELE                 1132
#define IDC_SUMMON_WATER_ELE_QTY             1139

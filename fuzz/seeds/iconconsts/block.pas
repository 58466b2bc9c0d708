{ Master_ImageListNumbers
cm_LumoraTag : 1
cm_Open , cm_FileOpen : 12
CM_Exit: 4
Open, cm_Save : 3
cm_Close : -1

x
// *** assumes this routine placed just after
cm_After : 5

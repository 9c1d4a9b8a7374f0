ftp -s:{ROOT}\FTPWK\RECVAUTO.TXT
C:\Conv Tools\U2S.EXE "{ROOT}\My Src\MAIN.R1.txt"  {ROOT}\My Src\O$U$TMAIN.R1.txt
XCOPY /Y {ROOT}\My Src\O$U$TMAIN.R1.txt {ROOT}\My Src\MAIN.R1.txt
ERASE {ROOT}\My Src\O$U$TMAIN.R1.txt
C:\Tools\cpe.exe  FUNC:[RUNSTREAM] INF:[{ROOT}\My Src\MAIN.R1.txt]Å@ OUTF:[D:\html] PROJECT:[P01]
C:\Conv Tools\U2S.EXE "{ROOT}\My Src\BUILD.txt"  {ROOT}\My Src\O$U$TBUILD.txt
XCOPY /Y {ROOT}\My Src\O$U$TBUILD.txt {ROOT}\My Src\BUILD.txt
ERASE {ROOT}\My Src\O$U$TBUILD.txt
C:\Tools\cpe.exe  FUNC:[RUNSTREAM] INF:[{ROOT}\My Src\BUILD.txt]Å@ OUTF:[D:\html] PROJECT:[P01]

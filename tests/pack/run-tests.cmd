@echo off
rem Runs the tests beside this file on Windows: every in-process test and
rem every end-to-end test that needs no X server, one process a test, each
rem in a fresh folder that is also its TEMP. One line a test, last "N passed,
rem N failed"; what the tests print goes to run-tests.log beside this file.
rem Exits 1 when a test failed. Plain cmd: no delayed expansion and no "&&"
rem after a program, which Wine's cmd does not fully have.
setlocal
set "here=%~dp0"
set "log=%~dp0run-tests.log"
set "own_temp=%TEMP%"
set /a passed=0, failed=0, skipped=0, number=0
:fresh
set "work=%own_temp%\pintaflux-tests-%RANDOM%"
if exist "%work%" goto fresh
mkdir "%work%"
>"%log%" echo Pintaflux tests in %here%, started %DATE% %TIME%

call :tests unit_tests.exe *
rem The display at 200 percent needs a session that starts at that scale and
rem the pointer read from the X side: it runs under Wine only.
call :tests e2e_tests.exe -Overlay.AtTwiceTheScale*

rd /s /q "%work%" 2>nul
set "text=%skipped% skipped, for what this machine lacks"
if %skipped% gtr 0 call :say
set "text=%passed% passed, %failed% failed"
call :say
rem A double-click runs cmd /c ""<this file>" ": keep its window open.
if defined CI goto end
echo %cmdcmdline% | find /i "%~f0" >nul
if not errorlevel 1 pause
:end
if %failed% gtr 0 exit /b 1
exit /b 0

rem :tests PROGRAM FILTER runs each test of the program that the filter keeps.
rem Its list names a suite ("Suite.") a line, then its tests, indented.
:tests
"%here%%~1" --gtest_list_tests "--gtest_filter=%~2" >"%work%\list.txt" 2>>"%log%"
if errorlevel 1 goto unlisted
set "suite="
for /f "usebackq tokens=1" %%w in ("%work%\list.txt") do call :entry %~1 %%w
exit /b
:unlisted
set /a failed+=1
set "text=FAIL %~1: its tests could not be listed"
call :say
exit /b

:entry
set "word=%~2"
if "%word:~-1%"=="." (set "suite=%word%") else if defined suite call :test %~1 %suite%%word%
exit /b

rem :test PROGRAM NAME runs one test and prints its line.
:test
set /a number+=1
set "folder=%work%\%number%"
mkdir "%folder%"
pushd "%folder%"
set "TEMP=%folder%"
set "TMP=%folder%"
"%here%%~1" "--gtest_filter=%~2" >output.txt 2>&1
set "code=%errorlevel%"
set "TEMP=%own_temp%"
set "TMP=%own_temp%"
type output.txt >>"%log%"
set "result=FAIL"
find "[       OK ]" output.txt >nul
if not errorlevel 1 set "result=PASS"
find "[  SKIPPED ]" output.txt >nul
if not errorlevel 1 set "result=SKIP"
if not "%code%"=="0" set "result=FAIL"
set "text=%result% %~2"
set "after="
if %result%==SKIP for /f "usebackq delims=" %%l in ("output.txt") do (
  set "line=%%l"
  call :reason
)
popd
rd /s /q "%folder%" 2>nul
if %result%==PASS set /a passed+=1
if %result%==FAIL set /a failed+=1
if %result%==SKIP set /a skipped+=1
call :say
exit /b

rem :reason adds to the line the skip's reason, which gtest prints on the
rem line after "FILE:LINE: Skipped"; quotes go, to compare the line safely.
:reason
if "%after%"=="done" exit /b
set "line=%line:"=%"
if "%after%"=="next" set "text=%text%: %line%"
if "%after%"=="next" set "after=done"
if "%line:~-9%"==": Skipped" set "after=next"
exit /b

rem :say prints the line in "text" and adds it to the log.
:say
for /f "delims=" %%t in ("%text%") do echo %%t
for /f "delims=" %%t in ("%text%") do >>"%log%" echo %%t
exit /b

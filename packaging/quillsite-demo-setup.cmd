@echo off
rem Sets up the demo host for this user, so that the suite can be tried without Quillsite 97:
rem a copy of the demo host in %LOCALAPPDATA%\quillsite-demo\host becomes the host install that
rem the programs use, with two sample profiles. Delete that folder to start over.
setlocal
set "root=%LOCALAPPDATA%\quillsite-demo"
if not exist "%root%\host" xcopy /e /i /q "%~dp0demo" "%root%\host" >nul
"%~dp0quillsite-demo-setup.exe" "%root%\host" "%~dp0quillsite-demo-host.exe"
if errorlevel 1 (
    echo The demo host could not be set up.
    pause
    exit /b 1
)
echo The programs now use the demo host in %root%\host.

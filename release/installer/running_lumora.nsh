; Ending a running Lumora before the installer replaces its files or the
; uninstaller removes them, so that no file is in use. Included by the
; installer's script; it writes no file and no registry value.
;
; - The front end, Lumora.scr, is asked to end the clean way: a WM_CLOSE to
;   its hidden window (class and title "Lumora_S") ends it as its menu's
;   "終了" does, icon and all. We wait for its process, not for the window:
;   the file stays in use until the process is gone.
; - A show is ended by ending the renderer's process. It holds no data, and
;   by design it ignores a WM_CLOSE that no user input asked for.
;
; NSIS keeps the uninstaller's functions apart (the "un." prefix), so the
; functions are made twice from one macro.

!include LogicLib.nsh
!include WinMessages.nsh

!define LUMORA_FRONT_END_WINDOW "Lumora_S"
!define LUMORA_SHOW_CLASS "WindowsScreenSaverClass"
!define LUMORA_SHOW_TITLE "Lumora_VC"
!define LUMORA_END_WAIT_MS 10000
!define LUMORA_SHOW_WAIT_MS 5000
; OpenProcess rights: SYNCHRONIZE to wait for the end, PROCESS_TERMINATE too
; for the show.
!define LUMORA_SYNCHRONIZE 0x00100000
!define LUMORA_SYNCHRONIZE_TERMINATE 0x00100001

; 1 once a front end was found running: the installer starts it again when
; it is done, so the alarms stay armed.
Var LumoraWasRunning

!macro LUMORA_END_RUNNING_FUNCTIONS UN
!if "${UN}" == "un."
  !define /redef LUMORA_WHAT_ENDS "アンインストール"
!else
  !define /redef LUMORA_WHAT_ENDS "セットアップ"
!endif

; Out: $0 = "none" (no front end runs), "ended" or "running" (still there
; after 10 s).
Function ${UN}LumoraEndFrontEnd
  Push $1
  Push $2
  Push $3
  StrCpy $0 none
  System::Call 'user32::FindWindowW(w "${LUMORA_FRONT_END_WINDOW}", w "${LUMORA_FRONT_END_WINDOW}") p.r1'
  ${If} $1 P<> 0
    StrCpy $0 running
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i 0 r2)'
    System::Call 'kernel32::OpenProcess(i ${LUMORA_SYNCHRONIZE}, i 0, i r2) p.r3'
    ; Posted, never sent: a hung front end must not hang the installer too.
    System::Call 'user32::PostMessageW(p r1, i ${WM_CLOSE}, p 0, p 0)'
    ${If} $3 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r3, i ${LUMORA_END_WAIT_MS}) i.r2'
      System::Call 'kernel32::CloseHandle(p r3)'
      ${If} $2 = 0  ; WAIT_OBJECT_0: the process has ended
        StrCpy $0 ended
      ${EndIf}
    ${Else}
      ; A process we may not open (another user's, say): all we can watch is
      ; its window.
      StrCpy $2 0
      ${Do}
        Sleep 100
        IntOp $2 $2 + 100
        System::Call 'user32::IsWindow(p r1) i.r3'
        ${If} $3 = 0
          StrCpy $0 ended
          ${ExitDo}
        ${EndIf}
      ${LoopWhile} $2 < ${LUMORA_END_WAIT_MS}
    ${EndIf}
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

; Out: $0 = "none", "ended" or "running" (a show that outlived five ends).
Function ${UN}LumoraEndShows
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $0 none
  StrCpy $4 0
  ${Do}
    System::Call 'user32::FindWindowW(w "${LUMORA_SHOW_CLASS}", w "${LUMORA_SHOW_TITLE}") p.r1'
    ${If} $1 P= 0
      ${ExitDo}
    ${EndIf}
    ${If} $4 >= 5
      StrCpy $0 running
      ${ExitDo}
    ${EndIf}
    IntOp $4 $4 + 1
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i 0 r2)'
    System::Call 'kernel32::OpenProcess(i ${LUMORA_SYNCHRONIZE_TERMINATE}, i 0, i r2) p.r3'
    ${If} $3 P<> 0
      System::Call 'kernel32::TerminateProcess(p r3, i 0)'
      System::Call 'kernel32::WaitForSingleObject(p r3, i ${LUMORA_SHOW_WAIT_MS})'
      System::Call 'kernel32::CloseHandle(p r3)'
      StrCpy $0 ended
    ${EndIf}
  ${Loop}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

; Ends the front end, then any show. While something still runs, the
; interactive installer says so and offers to retry or cancel; the silent one
; exits with code 2. Called before the first change, so either way nothing
; has changed.
Function ${UN}LumoraEndRunning
  Push $0
  ${Do}
    Call ${UN}LumoraEndFrontEnd
    ; Even one that outlived our wait: the user ends it, retries, and gets it
    ; back at the end as if we had ended it.
    ${If} $0 != none
      StrCpy $LumoraWasRunning 1
    ${EndIf}
    ; The front end first: once it is gone it cannot react to the show's end.
    ${If} $0 != running
      Call ${UN}LumoraEndShows
    ${EndIf}
    ${If} $0 != running
      ${ExitDo}
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel 2
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Lumora が実行中で、終了できませんでした。$\r$\n$\r$\nLumora を終了してから [再試行] を押してください。[キャンセル] を押すと、何も変更せずに${LUMORA_WHAT_ENDS}を終わります。" \
      /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    retry:
  ${Loop}
  Pop $0
FunctionEnd

!macroend

!insertmacro LUMORA_END_RUNNING_FUNCTIONS ""
!insertmacro LUMORA_END_RUNNING_FUNCTIONS "un."

Option Explicit
Dim a(3), s, i, n
For i = 0 To 3 : a(i) = i * 2 : Next
For Each n In Doc.selectNodes("//dfns:Private")
    s = s & n.getAttribute("name") & Len(n.getAttribute("pid"))
Next
Function Main()
    On Error Resume Next
    Main = CInt("x") & Mid(s, 2, 1) & UBound(a) & (1 \ 0)
    Select Case Err.Number
        Case 13, 11 : Main = Main & "e"
        Case Else : Main = Empty
    End Select
End Function
Function F(ByRef x)
    x = x + 1 : F = x ^ 2 & Hex(x) & Replace(Join(Split("a,b", ","), "-"), "-", "+")
    With Doc.documentElement
        .setAttribute "k", F
    End With
End Function

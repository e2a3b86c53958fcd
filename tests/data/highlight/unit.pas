unit Test;
interface
uses SysUtils;
{ a comment
  over two lines }
procedure Foo(a: Integer);
implementation
// line comment
BEGIN
  x := a/b + c / d;
  if x > 1 then Writeln("dq");
end.
s := 'it''s'; y
s := 'a{b'; x
